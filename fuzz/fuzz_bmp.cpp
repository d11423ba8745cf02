// Feeds arbitrary bytes to ReadBmpDib (from memory and as an open file), then
// walks every pixel of what it accepts and writes it back as a BMP.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "image/BmpCodec.h"
#include "image/CDibImage.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::uint8_t> block = ReadBmpDibBytes(data, size);
    if (size > 0) {
        std::FILE* file = fmemopen(const_cast<std::uint8_t*>(data), size, "rb");
        if (file) {
            // Both entry points read the same bytes into the same block.
            if (ReadBmpDib(file) != block) {
                std::abort();
            }
            std::fclose(file);
        }
    }
    if (block.empty()) {
        return 0;
    }
    CDibImage image;
    if (!image.Attach(block)) {
        std::abort();  // a block the reader accepts must describe itself
    }
    std::uint32_t sum = 0;
    for (int y = 0; y < image.Height() && y < 64; ++y) {
        for (int x = 0; x < image.Width() && x < 64; ++x) {
            std::uint32_t v = 0;
            if (image.GetPixel(x, y, v)) {
                sum += v;
                image.SetPixel(x, y, v);
            }
        }
    }
    char* buffer = nullptr;
    std::size_t length = 0;
    if (std::FILE* out = open_memstream(&buffer, &length)) {
        const bool written = WriteBmpDib(image.Block(), out);
        std::fclose(out);
        if (written && ReadBmpDibBytes(reinterpret_cast<std::uint8_t*>(buffer), length).empty()) {
            std::abort();  // what we write we can read
        }
        std::free(buffer);
    }
    return static_cast<int>(sum & 0);
}
