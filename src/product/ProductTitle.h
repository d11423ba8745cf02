#pragma once
// The title text of a product: satellite, region, observation time and
// channel, in UTF-8.

#include <string>

#include "product/ProductDescription.h"

// regionNameGbk is the region's name as stored (GBK); an empty region name is
// left out with its blank.
std::string ProductTitleText(const ProductDescription& description,
                             const std::string& regionNameGbk);
// The same with what is shown (UTF-8) in place of the channel's name: a
// picture of several channels names its combination.
std::string ProductTitleText(const ProductDescription& description,
                             const std::string& regionNameGbk, const std::string& what);
