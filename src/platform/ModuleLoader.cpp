#include "platform/ModuleLoader.h"

#ifdef _WIN32

#include <windows.h>

#include "platform/Utf8Path.h"

void* LoadModuleEntry(const std::string& path, const char* entry, std::string& why) {
    // The module's own folder is searched for the libraries it needs.
    const HMODULE module =
        LoadLibraryExW(PathFromUtf8(path).c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    if (module == nullptr) {
        why = "cannot be loaded (error " + std::to_string(GetLastError()) + ")";
        return nullptr;
    }
    const FARPROC address = GetProcAddress(module, entry);
    if (address == nullptr) {
        why = std::string("no function ") + entry;
        FreeLibrary(module);
        return nullptr;
    }
    return reinterpret_cast<void*>(address);
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
