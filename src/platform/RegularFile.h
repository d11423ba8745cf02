#pragma once
// Opening input files without ever blocking: a FIFO, a device or a folder
// named where a file is expected is refused before anything is read from it.

#include <cstdio>
#include <string>

// Opens path for binary reading when it is a regular file (links followed);
// nullptr when it is missing, unreadable or anything but a regular file. The
// caller closes the file.
std::FILE* OpenRegularFileForReading(const std::string& path);

// Whether path names a regular file (links followed), found without opening it.
bool IsRegularFile(const std::string& path);
