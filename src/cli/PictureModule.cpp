#include "cli/PictureModule.h"

#include <cstdio>
#include <vector>

#include "cli/PictureModuleAbi.h"
#include "platform/DataPaths.h"
#include "platform/ModuleLoader.h"
#include "platform/RegularFile.h"

#ifndef KELVRA_PICTURE_MODULE
#define KELVRA_PICTURE_MODULE "kelvra-cli-pictures.so"
#endif
#ifndef KELVRA_MODULE_DIR
#define KELVRA_MODULE_DIR "lib/kelvra"
#endif

namespace {

// Beside the executable, then under the installed prefix's module folder.
std::vector<std::string> ModulePlaces() {
    const std::string folder = CDataPaths::ExecutableFolder();
    if (folder.empty()) {
        return {};
    }
    return {
        CDataPaths::Join(folder, KELVRA_PICTURE_MODULE),
        CDataPaths::Join(CDataPaths::Join(folder, "../" KELVRA_MODULE_DIR), KELVRA_PICTURE_MODULE)};
}

}  // namespace

int RunPictureModule(const std::string& verb, const CliArgs& args) {
#ifndef KELVRA_HAVE_PICTURES
    // Built without the module (on Windows, where Debian has no FreeType).
    std::fprintf(stderr,
                 "kelvra-cli: %s is not available in this build: it was made without the "
                 "picture module; the verbs that print text work\n",
                 verb.c_str());
    (void)args;
    return kExitFailed;
#endif
    const std::vector<std::string> places = ModulePlaces();
    for (const std::string& path : places) {
        if (!IsRegularFile(path)) {
            continue;
        }
        std::string why;
        void* entry = LoadModuleEntry(path, kPictureEntryName, why);
        if (entry == nullptr) {
            std::fprintf(stderr, "kelvra-cli: the picture module %s cannot be loaded: %s\n",
                         path.c_str(), why.c_str());
            return kExitFailed;
        }
        std::vector<const char*> argv;
        for (const std::string& arg : args) {
            argv.push_back(arg.c_str());
        }
        const KelvraPictureCall call{kPictureCallVersion, verb.c_str(),
                                     static_cast<int>(argv.size()), argv.data()};
        return reinterpret_cast<KelvraPictureEntry>(entry)(&call);
    }
    std::fprintf(stderr,
                 "kelvra-cli: %s draws through the picture module " KELVRA_PICTURE_MODULE
                 ", found neither beside kelvra-cli nor in ../" KELVRA_MODULE_DIR
                 "; the verbs that print text work without it\n",
                 verb.c_str());
    return kExitFailed;
}
