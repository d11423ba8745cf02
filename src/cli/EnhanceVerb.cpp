// kelvra-cli enhance IN OUT OP...: the image menu's operations applied in
// order to a loaded file, as the document runs them, then saved by
// extension. A failing operation prints the document's message and nothing
// is written.

#include <cstdio>
#include <functional>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "cli/CliVerbs.h"
#include "cli/IntegerArg.h"
#include "image/CDibImage.h"
#include "platform/Rand15.h"

namespace {

constexpr const char* kOpenFailed = "打开文档失败。";
constexpr const char* kSaveFailed = "保存文档失败。";

struct EnhanceStep {
    std::function<bool(CDibImage&, CRand15&)> run;
    const char* failure;  // "" for steps that cannot fail
};

struct PlainOp {
    const char* name;
    bool (CDibImage::*member)();
    const char* failure;
};

const PlainOp kPlainOps[] = {
    {"negate", &CDibImage::Negate, "反色失败"},
    {"stretch", &CDibImage::HistogramStretch, "快速线性增强失败"},
    {"blur", &CDibImage::Blur, "图像模糊失败"},
    {"sharpen", &CDibImage::Sharpen, "图像锐化失败"},
    {"median", &CDibImage::MedianSmooth, "中值平滑失败"},
    {"mean", &CDibImage::MeanSmooth, "均值平滑失败"},
    {"emboss", &CDibImage::Emboss, "浮雕效果失败"},
    {"edge", &CDibImage::EdgeDetect, "边缘检测失败"},
    {"restore", &CDibImage::RestoreFirstState, "返回原图失败"},
};

struct PercentOp {
    const char* name;
    bool (CDibImage::*member)(int);
    const char* failure;
};

const PercentOp kPercentOps[] = {
    {"brightness", &CDibImage::Brightness, "调整亮度失败"},
    {"contrast", &CDibImage::Contrast, "调整对比度失败"},
};

std::optional<EnhanceStep> ParseStep(const std::string& op) {
    for (const PlainOp& plain : kPlainOps) {
        if (op == plain.name) {
            auto member = plain.member;
            return EnhanceStep{[member](CDibImage& image, CRand15&) { return (image.*member)(); },
                               plain.failure};
        }
    }
    const std::size_t equals = op.find('=');
    if (equals == std::string::npos) {
        return std::nullopt;
    }
    const std::string name = op.substr(0, equals);
    const std::string value = op.substr(equals + 1);
    if (name == "palette" && !value.empty()) {
        // "off" returns to the grey ramp; the path only has to be non-empty.
        const int on = value == "off" ? 0 : 1;
        return EnhanceStep{[value, on](CDibImage& image, CRand15&) {
                               image.ApplyPaletteFile(value, on);
                               return true;
                           },
                           ""};
    }
    int p = 0;
    if (!ParseIntegerArg(value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max(),
                         p)) {
        return std::nullopt;
    }
    if (name == "noise") {
        return EnhanceStep{
            [p](CDibImage& image, CRand15& generator) { return image.AddNoise(p, generator); },
            "增加噪声失败"};
    }
    for (const PercentOp& percentOp : kPercentOps) {
        if (name == percentOp.name) {
            auto member = percentOp.member;
            return EnhanceStep{
                [member, p](CDibImage& image, CRand15&) { return (image.*member)(p); },
                percentOp.failure};
        }
    }
    return std::nullopt;
}

}  // namespace

int RunEnhance(const CliArgs& args) {
    if (args.size() < 2) {
        return UsageError("enhance", "enhance takes an input file, an output file and operations");
    }
    std::vector<EnhanceStep> steps;
    for (std::size_t i = 2; i < args.size(); ++i) {
        std::optional<EnhanceStep> step = ParseStep(args[i]);
        if (!step) {
            return UsageError("enhance", "unknown operation '" + args[i] + "'");
        }
        steps.push_back(std::move(*step));
    }
    CDibImage image;
    const bool loaded = image.Load(args[0]);
    image.SaveFirstState();
    if (!loaded) {
        std::fprintf(stderr, "%s\n", kOpenFailed);
        return kExitFailed;
    }
    CRand15 generator;  // one sequence per run, as one document holds one
    for (const EnhanceStep& step : steps) {
        if (!step.run(image, generator)) {
            std::fprintf(stderr, "%s\n", step.failure);
            return kExitFailed;
        }
    }
    if (!image.Save(args[1])) {
        std::fprintf(stderr, "%s\n", kSaveFailed);
        return kExitFailed;
    }
    return kExitOk;
}
