// Feeds arbitrary bytes to ReadJpegDib; library errors must come back as
// failure and an accepted file as a consistent 24-bit block.

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "image/CDibImage.h"
#include "image/JpegCodec.h"

namespace {
// Keeps each run within the fuzzer's memory limit.
constexpr std::uint64_t kMaxPixels = 1u << 22;
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::uint8_t> block = ReadJpegDibBytes(data, size, kMaxPixels);
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
