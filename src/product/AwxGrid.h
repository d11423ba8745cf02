#pragma once
// Reading an AWX grid product (category 3): its two headers and the physical
// value of every grid point, (stored value + base value) / scale factor.
// One-byte values are unsigned, two- and four-byte values signed.

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "product/AwxGridHeader.h"

struct AwxGrid {
    AwxFirstHeader first;
    AwxGridHeader header;
    // columns × rows values, row-major, the northern row first.
    std::vector<float> values;
};

// Reads the open file from its start. False when it is no grid product or
// cannot be read; refusal then names the field at fault when the headers
// say why (empty for a short or unreadable file, or no memory). Nothing is
// allocated before the file is known to hold every record.
bool ReadAwxGrid(std::FILE* file, AwxGrid& out, std::string& refusal);
