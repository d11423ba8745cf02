// Feeds arbitrary bytes to ReadTgaDib (from memory and as an open file); an
// accepted file must give a 24-bit block that the image adopts and that
// writes back as a TGA which reads back identically.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "image/CDibImage.h"
#include "image/TgaCodec.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::uint8_t> block = ReadTgaDibBytes(data, size);
    if (size > 0) {
        std::FILE* file = fmemopen(const_cast<std::uint8_t*>(data), size, "rb");
        if (file) {
            // The file reader reads header and rows apart, to the same block.
            if (ReadTgaDib(file) != block) {
                std::abort();
            }
            std::fclose(file);
        }
    }
    if (block.empty()) {
        return 0;
    }
    CDibImage image;
    if (!image.Attach(std::move(block)) || image.BitsPerPixel() != 24) {
        std::abort();
    }
    char* buffer = nullptr;
    std::size_t length = 0;
    if (std::FILE* out = open_memstream(&buffer, &length)) {
        const bool written = WriteTgaDib(image.Block(), out);
        std::fclose(out);
        if (!written || length != kTgaHeaderSize + static_cast<std::size_t>(image.Width()) *
                                                       image.Height() * 3) {
            std::abort();
        }
        const std::vector<std::uint8_t> again =
            ReadTgaDibBytes(reinterpret_cast<std::uint8_t*>(buffer), length);
        if (again != image.Block()) {
            std::abort();  // a written TGA reads back identically
        }
        std::free(buffer);
    }
    return 0;
}
