// Feeds arbitrary bytes as a product file to CGeoImage::ReadProduct.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "product/CGeoImage.h"

namespace {

// One temporary file per fuzzing process, rewritten for every input.
const std::string& InputPath() {
    static const std::string path = [] {
        std::string pattern = "/tmp/fuzz_awx_product-XXXXXX";
        const int fd = mkstemp(pattern.data());
        if (fd >= 0) {
            close(fd);
        }
        return pattern;
    }();
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::FILE* file = std::fopen(InputPath().c_str(), "wb");
    if (!file) {
        return 0;
    }
    std::fwrite(data, 1, size, file);
    std::fclose(file);
    CGeoImage product;
    if (product.ReadProduct(InputPath())) {
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
    }
    return 0;
}
