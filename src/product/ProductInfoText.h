#pragma once
// The information text of the open product: 16 lines, each a label directly
// followed by its value and ended by a line feed, and a 17th,
// "分辨率按图像边界计算", when the resolutions come from the edges. UTF-8.
// A grid product has its own text (product/GridInfoText.h).

#include <string>

#include "product/ProductDescription.h"

// Empty when the description's file identifier does not contain "SEC", i.e.
// no AWX product has been read into it yet.
std::string ProductInfoText(const ProductDescription& description);
