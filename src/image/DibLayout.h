#pragma once
// The geometry of a packed device-independent bitmap, read from its header and
// checked against the bytes that hold it. Every reader and the image container
// go through DescribeDib, so no header can make anyone read past a block.

#include <cstddef>
#include <cstdint>

constexpr int kDibInfoHeaderBytes = 40;
constexpr int kDibCoreHeaderBytes = 12;
constexpr int kDibCompressionRle8 = 1;
constexpr int kDibCompressionRle4 = 2;
// The largest colour table any depth can use.
constexpr int kDibMaxColorEntries = 256;

struct DibLayout {
    int headerSize = 0;  // 40 for the normal form; anything else is the core form
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;  // 1, 4, 8, 24 or 32
    int compression = 0;   // always 0 for the core form
    int colorEntries = 0;
    int entrySize = 0;            // 4 after a 40-byte header, 3 after a core header
    int stride = 0;               // bytes per stored row, padded to 4
    std::size_t pixelOffset = 0;  // header size + colour-table size
    std::size_t pixelBytes = 0;   // stride x height, or the stored size when run-length coded

    bool IsCoreForm() const { return headerSize != kDibInfoHeaderBytes; }
    bool IsRunLength() const {
        return compression == kDibCompressionRle8 || compression == kDibCompressionRle4;
    }
};

// Row stride in bytes: every row padded to a multiple of 4 bytes.
constexpr std::int64_t DibStride(std::int64_t bitsPerPixel, std::int64_t width) {
    return ((bitsPerPixel * width + 31) / 32) * 4;
}

// Colour-table entries by depth when the header does not say: 2, 16, 256, or none.
int DefaultColorEntries(int bitsPerPixel);

// Writes a fresh 40-byte header: planes 1, no compression, image size and
// resolutions 0, colours used and important = entries.
void WriteInfoHeader(std::uint8_t* header, int width, int height, int bitsPerPixel, int entries);

// Fills layout from the block's header; false when the header sizes, colour
// count or bit depth do not fit the size bytes at data, or describe no image.
// Reads no more than the first 40 bytes at data (the BMP reader measures a
// file by its header alone before reading the rest).
bool DescribeDib(const std::uint8_t* data, std::size_t size, DibLayout& layout);
