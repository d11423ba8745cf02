#include "image/TgaCodec.h"

#include <array>
#include <cstring>
#include <new>

#include "image/DibLayout.h"
#include "platform/ByteOrder.h"

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
// The footer's signature sits 8 bytes in; its first 4 bytes locate the
// extension area.
constexpr int kSignatureOffset = 8;
constexpr char kSignature[] = "TRUEVISION-XFILE.";

struct TgaImage {
    int width = 0;
    int height = 0;
    int bytesPerPixel = 0;
    std::uint8_t descriptor = 0;
    const std::uint8_t* pixels = nullptr;
};

// Where the pixel data must end: before the extension area when the footer
// names one, otherwise at the end of the file.
std::size_t DataLimit(const std::uint8_t* data, std::size_t size) {
    if (size < kTgaFooterSize) {
        return size;
    }
    const std::uint8_t* footer = data + size - kTgaFooterSize;
    if (std::memcmp(footer + kSignatureOffset, kSignature, sizeof kSignature - 1) != 0) {
        return size;
    }
    const std::uint32_t extension = ReadUInt32LE(footer);
    return extension != 0 && extension < size ? extension : size;
}

bool ParseHeader(const std::uint8_t* data, std::size_t size, TgaImage& image) {
    if (size < kTgaHeaderSize || data[kColourMapType] != 0 || data[kImageType] != kTrueColourType) {
        return false;
    }
    const int depth = data[kPixelDepth];
    if (depth != 24 && depth != 32) {
        return false;
    }
    image.width = ReadUInt16LE(data + kWidth);
    image.height = ReadUInt16LE(data + kHeight);
    image.bytesPerPixel = depth / 8;
    image.descriptor = data[kDescriptor];
    if (image.width == 0 || image.height == 0) {
        return false;
    }
    const std::size_t start = kTgaHeaderSize + data[kIdLength];
    const std::uint64_t needed = static_cast<std::uint64_t>(image.width) *
                                 static_cast<std::uint64_t>(image.height) *
                                 static_cast<std::uint64_t>(image.bytesPerPixel);
    const std::size_t limit = DataLimit(data, size);
    if (start > limit || needed > limit - start) {
        return false;
    }
    image.pixels = data + start;
    return true;
}

// Copies stored row `stored` into its image row, honouring both order bits.
void CopyRow(const TgaImage& image, int stored, std::uint8_t* pixels, std::size_t stride) {
    const bool topDown = (image.descriptor & kTopDownBit) != 0;
    const bool rightToLeft = (image.descriptor & kRightToLeftBit) != 0;
    // Block row 0 is the bottom row of the picture.
    const int blockRow = topDown ? image.height - 1 - stored : stored;
    const std::uint8_t* src =
        image.pixels + static_cast<std::size_t>(stored) * image.width * image.bytesPerPixel;
    std::uint8_t* dst = pixels + static_cast<std::size_t>(blockRow) * stride;
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
    const std::size_t stride = static_cast<std::size_t>(DibStride(24, image.width));
    std::vector<std::uint8_t> block;
    try {
        block.resize(kDibInfoHeaderBytes + stride * static_cast<std::size_t>(image.height));
    } catch (const std::bad_alloc&) {
        return {};
    }
    WriteInfoHeader(block.data(), image.width, image.height, 24, 0);
    std::uint8_t* pixels = block.data() + kDibInfoHeaderBytes;
    for (int row = 0; row < image.height; ++row) {
        CopyRow(image, row, pixels, stride);
    }
    return block;
}

std::vector<std::uint8_t> ReadTgaDib(std::FILE* file) {
    if (file == nullptr || std::fseek(file, 0, SEEK_END) != 0) {
        return {};
    }
    const long length = std::ftell(file);
    if (length <= 0 || std::fseek(file, 0, SEEK_SET) != 0) {
        return {};
    }
    std::vector<std::uint8_t> bytes;
    try {
        bytes.resize(static_cast<std::size_t>(length));
    } catch (const std::bad_alloc&) {
        return {};
    }
    if (std::fread(bytes.data(), 1, bytes.size(), file) != bytes.size()) {
        return {};
    }
    return ReadTgaDibBytes(bytes.data(), bytes.size());
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
