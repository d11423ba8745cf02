#include "platform/ModuleLoader.h"

#ifdef _WIN32

void* LoadModuleEntry(const std::string&, const char*, std::string& why) {
    why = "modules are not loaded on this platform yet";
    return nullptr;
}

#else

#include <dlfcn.h>

void* LoadModuleEntry(const std::string& path, const char* entry, std::string& why) {
    // Bound now, so a missing library is told here rather than in the middle
    // of a picture.
    void* module = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (module == nullptr) {
        const char* error = ::dlerror();
        why = error ? error : "cannot be loaded";
        return nullptr;
    }
    ::dlerror();
    void* address = ::dlsym(module, entry);
    if (address == nullptr) {
        const char* error = ::dlerror();
        why = error ? error : std::string("no function ") + entry;
        ::dlclose(module);
        return nullptr;
    }
    return address;
}

#endif
