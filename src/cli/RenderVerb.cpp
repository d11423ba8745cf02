// kelvra-cli render, in the picture module: opens a file as the document
// does, composes the picture as the view does and saves it, in one call.

#include <cstdio>
#include <string>

#include "cli/CliPictureJob.h"
#include "cli/PictureModuleVerbs.h"
#include "cli/RenderArgs.h"

namespace {

constexpr const char* kSaveFailed = "保存文档失败。";

}  // namespace

int RenderPicture(const CliArgs& args) {
    RenderArgs options;
    if (const std::string problem = ParseRenderArgs(args, options); !problem.empty()) {
        std::fprintf(stderr, "kelvra-cli: %s\n", problem.c_str());
        return kExitUsage;
    }
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
