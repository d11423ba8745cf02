#include "image/BmpCodec.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <new>

#include "image/BmpRle.h"
#include "image/DibLayout.h"
#include "image/PictureLimits.h"
#include "platform/ByteOrder.h"
#include "product/AwxFileAccess.h"

namespace {

constexpr int kSizeImageOffset = 20;

bool IsBmpFileHeader(const std::uint8_t* header) {
    return header[0] == 'B' && header[1] == 'M';
}

// The size of the block the image header declares, when the header fits the
// `available` bytes behind the file header and the picture limits. Only the
// header is looked at, so a file is measured before its body is read.
bool DeclaredBlockBytes(const std::uint8_t* header, std::uint64_t available, std::size_t& bytes) {
    DibLayout layout;
    if (available > SIZE_MAX || !DescribeDib(header, static_cast<std::size_t>(available), layout) ||
        !WithinPictureLimits(layout.width, layout.height)) {
        return false;
    }
    bytes = layout.pixelOffset + layout.pixelBytes;
    // Writers often leave a run-length image's size at 0: its codes are then
    // the rest of the file.
    if (layout.IsRunLength() && layout.pixelBytes == 0) {
        bytes = static_cast<std::size_t>(available);
    }
    return true;
}

// Run-length rows are expanded here, once, so that drawing and the image
// commands only ever see plain rows; the picture limits were checked on the
// header, so the expansion is bounded too.
std::vector<std::uint8_t> PlainRows(std::vector<std::uint8_t> block) {
    DibLayout layout;
    if (!DescribeDib(block.data(), block.size(), layout)) {
        return {};
    }
    if (layout.IsRunLength()) {
        return ExpandRunLengthDib(block.data(), block.size(), layout);
    }
    return block;
}

bool FileLength(std::FILE* file, std::int64_t& length) {
    length = FileSize(file);
    return length >= 0 && SeekTo(file, 0, SEEK_SET);
}

}  // namespace

std::vector<std::uint8_t> ReadBmpDibBytes(const std::uint8_t* data, std::size_t size) {
    std::size_t bytes = 0;
    if (data == nullptr || size < kBmpFileHeaderSize || !IsBmpFileHeader(data) ||
        !DeclaredBlockBytes(data + kBmpFileHeaderSize, size - kBmpFileHeaderSize, bytes)) {
        return {};
    }
    const std::uint8_t* block = data + kBmpFileHeaderSize;
    try {
        return PlainRows(std::vector<std::uint8_t>(block, block + bytes));
    } catch (const std::bad_alloc&) {
        return {};
    }
}

std::vector<std::uint8_t> ReadBmpDib(std::FILE* file) {
    std::int64_t length = 0;
    if (file == nullptr || !FileLength(file, length)) {
        return {};
    }
    std::array<std::uint8_t, kBmpFileHeaderSize> fileHeader{};
    if (std::fread(fileHeader.data(), 1, fileHeader.size(), file) != fileHeader.size() ||
        !IsBmpFileHeader(fileHeader.data())) {
        return {};
    }
    // The image header's fields lie in its first 40 bytes (fewer for the core
    // form); zeros stand in for bytes a short file lacks, which the size test
    // then refuses.
    const std::uint64_t available = static_cast<std::uint64_t>(length) - kBmpFileHeaderSize;
    std::array<std::uint8_t, kDibInfoHeaderBytes> header{};
    const std::size_t headerBytes = static_cast<std::size_t>(
        std::min<std::uint64_t>(available, static_cast<std::uint64_t>(header.size())));
    std::size_t bytes = 0;
    if (std::fread(header.data(), 1, headerBytes, file) != headerBytes ||
        !DeclaredBlockBytes(header.data(), available, bytes)) {
        return {};
    }
    // Only the bytes the header declares are read; anything behind them is
    // not part of the image.
    std::vector<std::uint8_t> block;
    try {
        block.resize(bytes);
    } catch (const std::bad_alloc&) {
        return {};
    }
    const std::size_t copied = std::min(headerBytes, bytes);
    std::copy(header.begin(), header.begin() + static_cast<std::ptrdiff_t>(copied), block.begin());
    const std::size_t rest = bytes - copied;
    if (rest > 0 && std::fread(block.data() + copied, 1, rest, file) != rest) {
        return {};
    }
    return PlainRows(std::move(block));
}

bool WriteBmpDib(const std::vector<std::uint8_t>& block, std::FILE* file) {
    DibLayout layout;
    if (file == nullptr || !DescribeDib(block.data(), block.size(), layout) ||
        layout.IsCoreForm()) {
        return false;
    }
    const std::size_t written = layout.pixelOffset + layout.pixelBytes;
    std::array<std::uint8_t, kBmpFileHeaderSize> fileHeader{};
    fileHeader[0] = 'B';
    fileHeader[1] = 'M';
    WriteInt32LE(fileHeader.data() + 2, static_cast<std::uint32_t>(kBmpFileHeaderSize + written));
    WriteInt32LE(fileHeader.data() + 10,
                 static_cast<std::uint32_t>(kBmpFileHeaderSize + layout.pixelOffset));
    std::array<std::uint8_t, kDibInfoHeaderBytes> infoHeader{};
    std::copy(block.begin(), block.begin() + kDibInfoHeaderBytes, infoHeader.begin());
    if (!layout.IsRunLength()) {
        WriteInt32LE(infoHeader.data() + kSizeImageOffset,
                     static_cast<std::uint32_t>(layout.pixelBytes));
    }
    const std::size_t rest = written - kDibInfoHeaderBytes;
    return std::fwrite(fileHeader.data(), 1, fileHeader.size(), file) == fileHeader.size() &&
           std::fwrite(infoHeader.data(), 1, infoHeader.size(), file) == infoHeader.size() &&
           std::fwrite(block.data() + kDibInfoHeaderBytes, 1, rest, file) == rest;
}
