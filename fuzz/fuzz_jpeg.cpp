// Feeds arbitrary bytes to ReadJpegDib (from memory and as an open file);
// library errors must come back as failure and an accepted file as a
// consistent 24-bit block.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "image/CDibImage.h"
#include "image/JpegCodec.h"

namespace {
// Keeps each run within the fuzzer's memory limit.
constexpr std::int64_t kMaxPixels = std::int64_t{1} << 22;
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::uint8_t> block = ReadJpegDibBytes(data, size, kMaxPixels);
    if (size > 0) {
        std::FILE* file = fmemopen(const_cast<std::uint8_t*>(data), size, "rb");
        if (file) {
            // The file entry point applies the same limits to the same picture.
            if (ReadJpegDib(file, kMaxPixels) != block) {
                std::abort();
            }
            std::fclose(file);
        }
    }
    if (block.empty()) {
        return 0;
    }
    CDibImage image;
    if (!image.Attach(std::move(block)) || image.BitsPerPixel() != 24 ||
        image.ColorTableEntries() != 0) {
        std::abort();
    }
    return 0;
}
