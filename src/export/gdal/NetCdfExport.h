#pragma once
// The products of one geometry as a CF-1.8 NetCDF-4 file: a time axis in
// observation-time order, the projected x/y axes (longitude/latitude for
// an equal latitude/longitude grid), the grid mapping and the calibrated
// variable, compressed.

#include <string>
#include <vector>

// True when target was written; notice then says what the user should know,
// else why names the failure (the first file without a time or of another
// geometry among them).
bool ExportNetCdf(const std::vector<std::string>& paths, const std::string& target,
                  std::string& notice, std::string& why);
