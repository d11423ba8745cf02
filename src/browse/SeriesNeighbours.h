#pragma once
// The products a point's history runs over when no loop is on screen: those
// of a folder with the open product's channel and geometry (projection,
// centre, size), observed no later than it, the latest count of them.

#include <string>
#include <vector>

// The paths in observation-time order, the open product's own among them;
// just the open product when the folder holds no others (or cannot be read).
std::vector<std::string> SeriesNeighbours(const std::string& folder, const std::string& openPath,
                                          int count);
