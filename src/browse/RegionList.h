#pragma once
// The projection-region list that the main frame reads once while it is
// created: dat/region.txt under the start-up directory.

#include <vector>

#include "geo/RegionFile.h"
#include "platform/DataPaths.h"

constexpr char kRegionFileName[] = "region.txt";
constexpr char kRegionFileErrorText[] = "投影区域参数文件错误";

// Reads the region file of paths into regions and shows "投影区域参数文件错误"
// when it is missing, does not start with "REGION" or holds fewer complete
// records than it announces; the complete records before the fault are kept.
// Returns whether the file was read without fault.
bool LoadRegionList(const CDataPaths& paths, std::vector<RegionRecord>& regions);
