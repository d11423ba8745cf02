#pragma once
// The names the desktop's exports offer and write: beside the product, after
// its name, with the format's extension whatever the user typed.

#include <string>

// path itself when it ends in extension (".tif"), in any case; path with the
// extension added otherwise.
std::string WithExtension(const std::string& path, const std::string& extension);
