// The verbs that draw, as kelvra-cli runs them: their arguments are checked
// here, without Qt, and the picture module is loaded only for a job that can
// run.

#include "cli/AnimateArgs.h"
#include "cli/CliVerbs.h"
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
