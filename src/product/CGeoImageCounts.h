#pragma once
// Where a product's counts live: its own buffer, or the rows of an image
// read from the same file. The whole calibrated image as floats is made only
// when CGeoImage::CalibratedImage asks for it.

#include <memory>

#include "product/CGeoImage.h"

struct CGeoImage::CCountsStore {
    SharedCounts counts;
    // Made on the first CalibratedImage request; the store is shared by
    // copies of the product, which read the same counts through the same
    // table.
    mutable std::unique_ptr<float[]> floats;
    // The floats are a grid product's exact values, made when it was read,
    // and every value is read from them.
    bool exactValues = false;
};
