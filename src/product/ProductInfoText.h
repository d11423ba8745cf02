#pragma once
// The information text of the open product: 16 lines, each a label directly
// followed by its value and ended by a line feed. UTF-8.

#include <string>

#include "product/ProductDescription.h"

// Empty when the description's file identifier does not contain "SEC", i.e.
// no AWX product has been read into it yet.
std::string ProductInfoText(const ProductDescription& description);
