// Feeds arbitrary bytes as a product file to CGeoImage::ReadProduct.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "FuzzInputFile.h"
#include "product/CGeoImage.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string& path = FuzzInputFile(data, size);
    if (path.empty()) {
        return 0;
    }
    CGeoImage product;
    if (product.ReadProduct(path)) {
        // A loaded product holds width × height calibrated values.
        const ProductDescription& d = product.Description();
        volatile float sink = 0.0f;
        const std::size_t count = static_cast<std::size_t>(d.width) * d.height;
        const float* image = product.CalibratedImage();
        if (count > 0) {
            sink = image[0] + image[count - 1];
        }
        (void)sink;
    }
    return 0;
}
