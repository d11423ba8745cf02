// The picture module's one exported function: the verbs that draw, run for
// kelvra-cli, which has already checked their arguments.

#include <cstdio>
#include <cstring>
#include <exception>

#include "cli/PictureModuleAbi.h"
#include "cli/PictureModuleVerbs.h"
#include "platform/TempFileCleanup.h"

namespace {

struct ModuleVerb {
    const char* name;
    int (*run)(const CliArgs&);
};

const ModuleVerb kModuleVerbs[] = {
    {"render", RenderPicture},
    {"animate", AnimatePictures},
    {"trend", TrendPicture},
    {"thumbnail", ThumbnailPicture},
};

int RunModuleVerb(const KelvraPictureCall& call) {
    const CliArgs args(call.argv, call.argv + call.argc);
    for (const ModuleVerb& verb : kModuleVerbs) {
        if (std::strcmp(call.verb, verb.name) == 0) {
            return verb.run(args);
        }
    }
    std::fprintf(stderr, "kelvra-cli: the picture module has no verb '%s'\n", call.verb);
    return kExitFailed;
}

}  // namespace

extern "C" __attribute__((visibility("default"))) int kelvra_cli_pictures_run(
    const KelvraPictureCall* call) {
    if (call == nullptr || call->version != kPictureCallVersion) {
        std::fprintf(stderr, "kelvra-cli: the picture module belongs to another kelvra-cli\n");
        return kExitFailed;
    }
    // The module's saves hold their temporary files in its own copy of the
    // table, so its handlers take over from kelvra-cli's.
    RemoveTempFilesOnTermination();
    try {
        return RunModuleVerb(*call);
    } catch (const std::exception& e) {
        // Nothing is thrown across the call.
        std::fprintf(stderr, "kelvra-cli: %s\n", e.what());
        return kExitFailed;
    }
}
