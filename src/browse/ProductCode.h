#pragma once
// Product indices and the three-letter codes that a product file's name
// contains. The product commands and the re-listings use different codes for
// the indices beyond the first three, so there are two lookups.

#include <string>

// Product indices 0-9 come from commands 6000-6009.
constexpr int kProductCount = 10;

// Code listed by product command 6000 + index: 0 "LCN", 1 "MSS", 2 "MLS",
// any other index "TBD".
std::string ProductCommandCode(int productIndex);

// Code listed when the lists are filled again for the same product (tab
// change, folder change, frame shown): 0-2 as above, any other index "LCN".
std::string RelistingCode(int productIndex);
