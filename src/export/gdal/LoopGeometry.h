#pragma once
// The checks a loop must pass before it is one NetCDF file: every product
// has an observation time, and all share one geometry.

#include <string>
#include <vector>

class CGeoImage;

// The first way b's geometry differs from a's ("宽度 640 / 800"); empty
// when they are the same grid on the same projection.
std::string GeometryDifference(const CGeoImage& a, const CGeoImage& b);

// The indices of products in observation-time order; false, with why
// naming every file without a time, when any has none.
bool TimeOrder(const std::vector<CGeoImage>& products, const std::vector<std::string>& paths,
               std::vector<std::size_t>& order, std::string& why);
