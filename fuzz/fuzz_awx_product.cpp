// Feeds arbitrary bytes as a product file to CGeoImage::ReadProduct: images
// and grid products alike.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "FuzzInputFile.h"
#include "product/CGeoImage.h"
#include "product/ProductInfoText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string& path = FuzzInputFile(data, size);
    if (path.empty()) {
        return 0;
    }
    CGeoImage product;
    if (product.ReadProduct(path)) {
        // A loaded product holds width × height counts with their values.
        const ProductDescription& d = product.Description();
        volatile float sink = 0.0f;
        float first = 0.0f;
        float last = 0.0f;
        if (product.CalibratedValueAt(0, 0, first) &&
            product.CalibratedValueAt(d.width - 1, d.height - 1, last)) {
            sink = first + last;
        }
        (void)sink;
        if (ProductInfoText(d).empty()) {
            std::abort();  // a read product always has its information text
        }
    } else if (product.ReadRefusal().size() > 4096) {
        std::abort();  // a refusal names a field, it does not echo the file
    }
    return 0;
}
