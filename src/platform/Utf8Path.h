#pragma once
// Paths are UTF-8 strings throughout kelvra. Windows' narrow file functions
// would read them in the ANSI code page (a Chinese folder name then names
// nothing), so every path handed to the file system goes through here: wide
// characters on Windows, the bytes as they are elsewhere.

#include <cstdio>
#include <filesystem>
#include <string>

// The path a UTF-8 string names. On Windows an absolute path of 260
// characters or more gets the \\?\ prefix, which lifts the old length limit.
std::filesystem::path PathFromUtf8(const std::string& utf8);

// A path as a UTF-8 string.
std::string Utf8FromPath(const std::filesystem::path& path);

// std::fopen of a UTF-8 path; mode as for std::fopen ("rb", "wb", ...).
std::FILE* OpenUtf8File(const std::string& utf8, const char* mode);
