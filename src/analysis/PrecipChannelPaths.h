#pragma once
// The two infrared channel files of an observation, found from the path of
// any of its channel files. The channel code is the three characters after
// the second "_" of the full path (folders included); the infrared-1 path is
// the product path with every occurrence of that code replaced by "IR1", the
// infrared-2 path the infrared-1 path with every "IR1" replaced by "IR2". So
// "FY2G_LCN_VIS_202203301200.AWX" gives "FY2G_LCN_IR1_202203301200.AWX" and
// "FY2G_LCN_IR2_202203301200.AWX"; an "_" in a folder name shifts the code
// and normally gives paths that do not exist.

#include <string>

// False when the path has no two "_" followed by three characters.
bool PrecipChannelPaths(const std::string& productPath, std::string& ir1Path, std::string& ir2Path);

// Every occurrence of `from` (not empty) in text replaced by `to`, scanning
// left to right without overlaps.
std::string ReplaceEvery(const std::string& text, const std::string& from, const std::string& to);
