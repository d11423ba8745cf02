// Feeds arbitrary bytes as an open file to ReadAwxDib.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "product/AwxDib.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    std::FILE* file = fmemopen(const_cast<std::uint8_t*>(data), size, "rb");
    if (!file) {
        return 0;
    }
    const auto block = ReadAwxDib(file);
    std::fclose(file);
    if (!block.empty()) {
        // The block holds the header, the palette and every padded row.
        const std::int32_t width = static_cast<std::int32_t>(block[4] | block[5] << 8);
        const std::int32_t height = static_cast<std::int32_t>(block[8] | block[9] << 8);
        const std::size_t expected = 40 + 1024 + DibStride8(width) * height;
        if (block.size() != expected) {
            std::abort();
        }
    }
    return 0;
}
