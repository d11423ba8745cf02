#pragma once
// Moves what GDAL wrote into the export's target through the replacement
// file, as every save of kelvra is written: the target is whole or untouched.

#include <string>

// The bytes of GDAL's in-memory file vsiPath (freed here) become target.
bool SaveMemoryFile(const std::string& vsiPath, const std::string& target, std::string& why);
// The bytes of the finished file at path (removed here) become target.
bool SaveFinishedFile(const std::string& path, const std::string& target, std::string& why);
