// The verbs that draw, as kelvra-cli runs them: their arguments are checked
// here, without Qt, and the picture module is loaded only for a job that can
// run.

#include <string>

#include "cli/AnimateArgs.h"
#include "cli/CliVerbs.h"
#include "cli/IntegerArg.h"
#include "cli/PictureModule.h"
#include "cli/RenderArgs.h"

int RunRender(const CliArgs& args) {
    RenderArgs options;
    if (const std::string problem = ParseRenderArgs(args, options); !problem.empty()) {
        return UsageError("render", problem);
    }
    return RunPictureModule("render", args);
}

int RunAnimate(const CliArgs& args) {
    AnimateArgs options;
    if (const std::string problem = ParseAnimateArgs(args, options); !problem.empty()) {
        return UsageError("animate", problem);
    }
    return RunPictureModule("animate", args);
}

int RunThumbnail(const CliArgs& args) {
    int size = 0;
    if (args.size() != 3) {
        return UsageError("thumbnail", "thumbnail takes IN OUT SIZE");
    }
    if (!ParseIntegerArg(args[2], 1, kMaxThumbnailSize, size)) {
        return UsageError("thumbnail", "SIZE must be a whole number from 1 to " +
                                           std::to_string(kMaxThumbnailSize));
    }
    return RunPictureModule("thumbnail", args);
}
