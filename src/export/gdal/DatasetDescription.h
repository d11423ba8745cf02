#pragma once
// The metadata both exports give a product: satellite, channel, observation
// time, projection and the accuracy of its fit, as GDAL metadata items.

#include <string>
#include <utility>
#include <vector>

struct ProductDescription;
struct ProductGeoreference;

using MetadataItems = std::vector<std::pair<std::string, std::string>>;

MetadataItems ProductMetadata(const ProductDescription& description,
                              const ProductGeoreference& georeference);

// Said to the user about a product's georeference: no coordinate system
// for a full-disk product, the largest error of a fit that is not exact.
std::string GeoreferenceNotice(const ProductGeoreference& georeference);
