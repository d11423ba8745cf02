#pragma once
// Loading a module (a shared library) at run time, for the parts of a program
// that need a heavy library of their own and are loaded only when they run.
// POSIX through dlopen; a Windows build implements this with LoadLibrary.

#include <string>

// Loads the module at path for the rest of the process (it is never
// unloaded: what it set up may still run at exit) and returns the address of
// its exported function named entry. nullptr, with why, when the module
// cannot be loaded or has no such function. The module's own symbols are not
// made visible to anything loaded later.
void* LoadModuleEntry(const std::string& path, const char* entry, std::string& why);
