// kelvra-cli render: opens a file as the document does, composes the picture
// as the view does and saves it.

#ifdef KELVRA_HAVE_RENDER

#include <QImage>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "cli/CliPictureJob.h"
#include "cli/CliVerbs.h"
#include "render/CGuiSession.h"
#include "render/DibQImage.h"

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

    // The picture is composed in memory that then becomes the saved image,
    // so the composed picture is never copied whole. A picture made here is
    // what the composition's rebuild would make; an image that has no
    // picture is left to the composition, which says so.
    std::vector<std::uint8_t> pictureBlock;
    QImage offscreen;
    if (HasDevicePicture(image)) {
        offscreen = MakeBlockPicture(pictureBlock, image.Width(), image.Height());
    }
    int recompose = offscreen.isNull() ? 1 : 0;
    PictureSubject subject(product);
    subject.path = options.input;
    if (job.Compose(image, subject, recompose, offscreen) != 1) {
        return kExitFailed;
    }
    CDibImage picture;
    bool converted = false;
    if (IsBlockPicture(pictureBlock, offscreen)) {
        const int width = offscreen.width();
        const int height = offscreen.height();
        offscreen = QImage();
        converted = BlockPictureToImage(std::move(pictureBlock), width, height, picture);
    } else {
        converted = FromDeviceBitmap(picture, offscreen);
    }
    if (!converted || !picture.Save(options.output)) {
        std::fprintf(stderr, "%s\n", kSaveFailed);
        return kExitFailed;
    }
    return kExitOk;
}

#endif  // KELVRA_HAVE_RENDER
