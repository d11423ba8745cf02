#pragma once
// The information text of a grid product: identification, the element with
// its unit, the time range, the grid and how its values are stored and
// shown. Each line a label directly followed by its value and a line feed;
// UTF-8.

#include <string>

#include "product/ProductDescription.h"

std::string GridInfoText(const ProductDescription& description);
