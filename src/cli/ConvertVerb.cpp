// kelvra-cli convert IN OUT: loads an image file and saves it again, each
// through the codec its extension chooses, as the document opens and saves.

#include <cstdio>

#include "cli/CliVerbs.h"
#include "image/CDibImage.h"

namespace {

constexpr const char* kOpenFailed = "打开文档失败。";
constexpr const char* kSaveFailed = "保存文档失败。";

}  // namespace

int RunConvert(const CliArgs& args) {
    if (args.size() != 2) {
        return UsageError("convert", "convert takes an input and an output file");
    }
    CDibImage image;
    if (!image.Load(args[0])) {
        std::fprintf(stderr, "%s\n", kOpenFailed);
        return kExitFailed;
    }
    if (!image.Save(args[1])) {
        std::fprintf(stderr, "%s\n", kSaveFailed);
        return kExitFailed;
    }
    return kExitOk;
}
