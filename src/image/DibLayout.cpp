#include "image/DibLayout.h"

#include "platform/ByteOrder.h"

namespace {

constexpr int kCoreEntrySize = 3;
constexpr int kInfoEntrySize = 4;
// 40-byte header field offsets.
constexpr int kInfoWidth = 4;
constexpr int kInfoHeight = 8;
constexpr int kInfoBitCount = 14;
constexpr int kInfoCompression = 16;
constexpr int kInfoSizeImage = 20;
constexpr int kInfoClrUsed = 32;
// Core header field offsets.
constexpr int kCoreWidth = 4;
constexpr int kCoreHeight = 6;
constexpr int kCoreBitCount = 10;

bool IsKnownDepth(int bits) {
    return bits == 1 || bits == 4 || bits == 8 || bits == 24 || bits == 32;
}

bool ReadHeaderFields(const std::uint8_t* data, std::size_t size, DibLayout& layout,
                      std::uint32_t& sizeImage, std::uint32_t& clrUsed) {
    if (size < 4) {
        return false;
    }
    const std::uint32_t headerSize = ReadUInt32LE(data);
    if (headerSize == kDibInfoHeaderBytes) {
        if (size < kDibInfoHeaderBytes) {
            return false;
        }
        layout.width = ReadInt32LE(data + kInfoWidth);
        layout.height = ReadInt32LE(data + kInfoHeight);
        layout.bitsPerPixel = ReadUInt16LE(data + kInfoBitCount);
        const std::uint32_t compression = ReadUInt32LE(data + kInfoCompression);
        if (compression > 0xFFFF) {
            return false;
        }
        layout.compression = static_cast<int>(compression);
        layout.entrySize = kInfoEntrySize;
        sizeImage = ReadUInt32LE(data + kInfoSizeImage);
        clrUsed = ReadUInt32LE(data + kInfoClrUsed);
    } else {
        // Any other header size is the core form: its fields are 16-bit.
        if (headerSize < kDibCoreHeaderBytes || headerSize > size) {
            return false;
        }
        layout.width = ReadUInt16LE(data + kCoreWidth);
        layout.height = ReadUInt16LE(data + kCoreHeight);
        layout.bitsPerPixel = ReadUInt16LE(data + kCoreBitCount);
        layout.compression = 0;
        layout.entrySize = kCoreEntrySize;
        sizeImage = 0;
        clrUsed = 0;
    }
    layout.headerSize = static_cast<int>(headerSize);
    return true;
}

}  // namespace

int DefaultColorEntries(int bitsPerPixel) {
    switch (bitsPerPixel) {
        case 1:
            return 2;
        case 4:
            return 16;
        case 8:
            return 256;
        default:
            return 0;
    }
}

void WriteInfoHeader(std::uint8_t* p, int width, int height, int bits, int entries) {
    WriteInt32LE(p + 0, kDibInfoHeaderBytes);
    WriteInt32LE(p + 4, static_cast<std::uint32_t>(width));
    WriteInt32LE(p + 8, static_cast<std::uint32_t>(height));
    WriteInt16LE(p + 12, 1);
    WriteInt16LE(p + 14, bits);
    WriteInt32LE(p + 32, static_cast<std::uint32_t>(entries));
    WriteInt32LE(p + 36, static_cast<std::uint32_t>(entries));
}

bool DescribeDib(const std::uint8_t* data, std::size_t size, DibLayout& layout) {
    DibLayout out;
    std::uint32_t sizeImage = 0;
    std::uint32_t clrUsed = 0;
    if (data == nullptr || !ReadHeaderFields(data, size, out, sizeImage, clrUsed)) {
        return false;
    }
    // Rows are bottom-up; a top-down (negative) height has no place here.
    if (out.width <= 0 || out.height <= 0 || !IsKnownDepth(out.bitsPerPixel)) {
        return false;
    }
    if (clrUsed > kDibMaxColorEntries) {
        return false;
    }
    out.colorEntries =
        clrUsed != 0 ? static_cast<int>(clrUsed) : DefaultColorEntries(out.bitsPerPixel);
    const std::int64_t stride = DibStride(out.bitsPerPixel, out.width);
    const std::uint64_t tableBytes =
        static_cast<std::uint64_t>(out.colorEntries) * static_cast<std::uint64_t>(out.entrySize);
    const std::uint64_t pixelOffset = static_cast<std::uint64_t>(out.headerSize) + tableBytes;
    const std::uint64_t pixelBytes = out.IsRunLength() ? sizeImage
                                                       : static_cast<std::uint64_t>(stride) *
                                                             static_cast<std::uint64_t>(out.height);
    if (stride > 0x7FFFFFFF || pixelOffset > size || pixelBytes > size - pixelOffset) {
        return false;
    }
    if (out.compression == kDibCompressionRle8 && out.bitsPerPixel != 8) {
        return false;
    }
    if (out.compression == kDibCompressionRle4 && out.bitsPerPixel != 4) {
        return false;
    }
    out.stride = static_cast<int>(stride);
    out.pixelOffset = static_cast<std::size_t>(pixelOffset);
    out.pixelBytes = static_cast<std::size_t>(pixelBytes);
    layout = out;
    return true;
}
