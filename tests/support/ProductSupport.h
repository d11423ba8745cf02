#pragma once
// Products built in memory from a projection record, for tests of what is
// drawn over a product.

#include "geo/ProjectionParams.h"
#include "product/CGeoImage.h"

inline CGeoImage MakeProduct(const ProjectionParams& params,
                             const ProductDescription& description = ProductDescription{}) {
    CGeoImage product;
    product.AssignProduct(description, params);
    return product;
}
