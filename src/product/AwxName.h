#pragma once
// Which files are AWX products by name: the file name's extension, from its
// last dot, is ".awx" in any letter case (products arrive named ".AWX").

#include <string>

// path may be a bare file name or carry folders, separated by '/' or '\';
// a dot inside a folder name does not count.
bool IsAwxName(const std::string& path);
