#include "image/TgaCodec.h"

#include <array>
#include <cstring>
#include <new>

#include "image/DibLayout.h"
#include "image/PictureLimits.h"
#include "platform/ByteOrder.h"
#include "product/AwxFileAccess.h"

namespace {

constexpr std::uint8_t kTrueColourType = 2;
constexpr int kIdLength = 0;
constexpr int kColourMapType = 1;
constexpr int kImageType = 2;
constexpr int kWidth = 12;
constexpr int kHeight = 14;
constexpr int kPixelDepth = 16;
constexpr int kDescriptor = 17;
constexpr std::uint8_t kTopDownBit = 0x20;
constexpr std::uint8_t kRightToLeftBit = 0x10;
constexpr int kMaxDimension = 0xFFFF;

struct TgaImage {
    int width = 0;
    int height = 0;
    int bytesPerPixel = 0;
    std::uint8_t descriptor = 0;
    std::uint64_t pixelStart = 0;  // file offset of the stored rows
    std::size_t rowBytes = 0;      // one stored row
};

// The header's image, when it is within the picture limits and its pixel data
// fits a file of fileSize bytes. The TGA 2.0 footer is not consulted: a real
// one and the areas it names follow the pixels and bound nothing they reach,
// and one whose offsets point inside the pixels is pixel bytes that look like
// a footer (a picture this system saved can end that way).
bool ParseHeader(const std::uint8_t* header, std::uint64_t fileSize, TgaImage& image) {
    if (fileSize < kTgaHeaderSize || header[kColourMapType] != 0 ||
        header[kImageType] != kTrueColourType) {
        return false;
    }
    const int depth = header[kPixelDepth];
    if (depth != 24 && depth != 32) {
        return false;
    }
    image.width = ReadUInt16LE(header + kWidth);
    image.height = ReadUInt16LE(header + kHeight);
    image.bytesPerPixel = depth / 8;
    image.descriptor = header[kDescriptor];
    if (!WithinPictureLimits(image.width, image.height)) {
        return false;
    }
    image.rowBytes = static_cast<std::size_t>(image.width) * image.bytesPerPixel;
    image.pixelStart = kTgaHeaderSize + header[kIdLength];
    const std::uint64_t needed = static_cast<std::uint64_t>(image.rowBytes) * image.height;
    return image.pixelStart <= fileSize && needed <= fileSize - image.pixelStart;
}

// Allocates the 24-bit block for the image; empty when memory runs out.
std::vector<std::uint8_t> BlankBlock(const TgaImage& image) {
    const std::size_t stride = static_cast<std::size_t>(DibStride(24, image.width));
    std::vector<std::uint8_t> block;
    try {
        block.resize(kDibInfoHeaderBytes + stride * static_cast<std::size_t>(image.height));
    } catch (const std::bad_alloc&) {
        return {};
    }
    WriteInfoHeader(block.data(), image.width, image.height, 24, 0);
    return block;
}

// Copies stored row `stored` into its image row, honouring both order bits.
void CopyRow(const TgaImage& image, int stored, const std::uint8_t* src,
             std::vector<std::uint8_t>& block) {
    const bool topDown = (image.descriptor & kTopDownBit) != 0;
    const bool rightToLeft = (image.descriptor & kRightToLeftBit) != 0;
    // Block row 0 is the bottom row of the picture.
    const int blockRow = topDown ? image.height - 1 - stored : stored;
    const std::size_t stride = static_cast<std::size_t>(DibStride(24, image.width));
    std::uint8_t* dst =
        block.data() + kDibInfoHeaderBytes + static_cast<std::size_t>(blockRow) * stride;
    for (int i = 0; i < image.width; ++i, src += image.bytesPerPixel) {
        const int x = rightToLeft ? image.width - 1 - i : i;
        std::memcpy(dst + static_cast<std::size_t>(x) * 3, src, 3);
    }
}

}  // namespace

std::vector<std::uint8_t> ReadTgaDibBytes(const std::uint8_t* data, std::size_t size) {
    TgaImage image;
    if (data == nullptr || !ParseHeader(data, size, image)) {
        return {};
    }
    std::vector<std::uint8_t> block = BlankBlock(image);
    const std::uint8_t* row = data + image.pixelStart;
    for (int stored = 0; !block.empty() && stored < image.height; ++stored, row += image.rowBytes) {
        CopyRow(image, stored, row, block);
    }
    return block;
}

std::vector<std::uint8_t> ReadTgaDib(std::FILE* file) {
    const std::int64_t size = file == nullptr ? -1 : FileSize(file);
    std::array<std::uint8_t, kTgaHeaderSize> header{};
    TgaImage image;
    // The header is checked against the file's size before anything is
    // allocated; the rows are then read one at a time into the block.
    if (size < 0 || !SeekTo(file, 0, SEEK_SET) ||
        std::fread(header.data(), 1, header.size(), file) != header.size() ||
        !ParseHeader(header.data(), static_cast<std::uint64_t>(size), image) ||
        !SeekTo(file, static_cast<std::int64_t>(image.pixelStart), SEEK_SET)) {
        return {};
    }
    std::vector<std::uint8_t> block = BlankBlock(image);
    std::vector<std::uint8_t> row;
    try {
        row.resize(image.rowBytes);
    } catch (const std::bad_alloc&) {
        return {};
    }
    for (int stored = 0; !block.empty() && stored < image.height; ++stored) {
        if (std::fread(row.data(), 1, row.size(), file) != row.size()) {
            return {};
        }
        CopyRow(image, stored, row.data(), block);
    }
    return block;
}

bool WriteTgaDib(const std::vector<std::uint8_t>& block, std::FILE* file) {
    DibLayout layout;
    if (file == nullptr || !DescribeDib(block.data(), block.size(), layout) ||
        layout.IsCoreForm() || layout.bitsPerPixel != 24 || layout.compression != 0 ||
        layout.width > kMaxDimension || layout.height > kMaxDimension) {
        return false;
    }
    std::array<std::uint8_t, kTgaHeaderSize> header{};
    header[kImageType] = kTrueColourType;
    WriteInt16LE(header.data() + kWidth, layout.width);
    WriteInt16LE(header.data() + kHeight, layout.height);
    header[kPixelDepth] = 24;
    if (std::fseek(file, 0, SEEK_SET) != 0 ||
        std::fwrite(header.data(), 1, header.size(), file) != header.size()) {
        return false;
    }
    // Block rows are already bottom-up: write each without its padding.
    const std::size_t rowBytes = static_cast<std::size_t>(layout.width) * 3;
    const std::uint8_t* row = block.data() + layout.pixelOffset;
    for (int y = 0; y < layout.height; ++y, row += layout.stride) {
        if (std::fwrite(row, 1, rowBytes, file) != rowBytes) {
            return false;
        }
    }
    return std::fflush(file) == 0;
}
