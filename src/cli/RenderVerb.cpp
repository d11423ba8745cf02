// kelvra-cli render: opens a file as the document does, composes the picture
// as the view does and saves it, in one call.

#ifdef KELVRA_HAVE_RENDER

#include <cstdio>
#include <string>

#include "cli/CliPictureJob.h"
#include "cli/CliVerbs.h"
#include "render/CGuiSession.h"

namespace {

constexpr const char* kVerb = "render";
constexpr const char* kSaveFailed = "保存文档失败。";

struct RenderArgs {
    std::string input;
    std::string output;
    PictureOptions picture;
};

// Returns an empty string on success, else what is wrong.
std::string ParseRenderArgs(const CliArgs& args, RenderArgs& options) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string error;
        const OptionParse parsed = ParsePictureOption(args, i, options.picture, error);
        if (parsed == OptionParse::kBad) {
            return error;
        }
        if (parsed == OptionParse::kTaken) {
            continue;
        }
        const std::string& arg = args[i];
        if (arg == "-o") {
            if (i + 1 >= args.size()) {
                return "missing value after " + arg;
            }
            options.output = args[++i];
        } else if (!arg.empty() && arg[0] == '-') {
            return "unknown option '" + arg + "'";
        } else if (options.input.empty()) {
            options.input = arg;
        } else {
            return "more than one input file";
        }
    }
    if (options.input.empty()) {
        return "no input file";
    }
    if (options.output.empty()) {
        return "no output file (-o OUT)";
    }
    return std::string();
}

}  // namespace

int RunRender(const CliArgs& args) {
    RenderArgs options;
    const std::string problem = ParseRenderArgs(args, options);
    if (!problem.empty()) {
        return UsageError(kVerb, problem);
    }
    CGuiSession session;
    CCliPictureJob job;
    if (!job.Prepare(options.picture)) {
        return kExitFailed;
    }
    CGeoImage product;
    CDibImage image;
    if (!job.Open(options.input, product, image)) {
        return kExitFailed;
    }

    PictureSubject subject(product);
    subject.path = options.input;
    PictureTarget target;
    target.path = options.output;
    const PictureSaveResult saved = job.Save(image, subject, target);
    if (saved == PictureSaveResult::kNotComposed) {
        return kExitFailed;
    }
    if (saved != PictureSaveResult::kSaved) {
        std::fprintf(stderr, "%s\n", kSaveFailed);
        return kExitFailed;
    }
    return kExitOk;
}

#endif  // KELVRA_HAVE_RENDER
