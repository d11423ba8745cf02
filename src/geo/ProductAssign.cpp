#include "product/CGeoImage.h"

void CGeoImage::AssignProduct(const ProductDescription& description,
                              const ProjectionParams& params) {
    m_description = description;
    m_params = params;
    productLoaded = 1;
}
