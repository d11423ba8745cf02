#pragma once
// The product a picture's cooling is measured against when no loop is
// playing: the latest earlier product of the same channel and geometry in
// the open file's folder, found from the headers alone.

#include <string>

// The path, or "" when the folder holds no such product.
std::string PreviousProductPath(const std::string& path);
