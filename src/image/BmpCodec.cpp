#include "image/BmpCodec.h"

#include <algorithm>
#include <array>
#include <new>

#include "image/BmpRle.h"
#include "image/DibLayout.h"
#include "platform/ByteOrder.h"

namespace {

constexpr int kSizeImageOffset = 20;

bool IsBmpFileHeader(const std::uint8_t* header) {
    return header[0] == 'B' && header[1] == 'M';
}

// The block is adopted only when its header describes the bytes it holds.
std::vector<std::uint8_t> Checked(std::vector<std::uint8_t> block) {
    DibLayout layout;
    if (!DescribeDib(block.data(), block.size(), layout)) {
        return {};
    }
    // Run-length rows are expanded here, once, so that drawing and the
    // image commands only ever see plain rows.
    if (layout.IsRunLength()) {
        return ExpandRunLengthDib(block.data(), block.size(), layout);
    }
    return block;
}

bool FileLength(std::FILE* file, long& length) {
    if (std::fseek(file, 0, SEEK_END) != 0) {
        return false;
    }
    length = std::ftell(file);
    return length >= 0 && std::fseek(file, 0, SEEK_SET) == 0;
}

}  // namespace

std::vector<std::uint8_t> ReadBmpDibBytes(const std::uint8_t* data, std::size_t size) {
    if (data == nullptr || size < kBmpFileHeaderSize || !IsBmpFileHeader(data)) {
        return {};
    }
    try {
        return Checked(std::vector<std::uint8_t>(data + kBmpFileHeaderSize, data + size));
    } catch (const std::bad_alloc&) {
        return {};
    }
}

std::vector<std::uint8_t> ReadBmpDib(std::FILE* file) {
    long length = 0;
    if (file == nullptr || !FileLength(file, length)) {
        return {};
    }
    std::array<std::uint8_t, kBmpFileHeaderSize> header{};
    if (std::fread(header.data(), 1, header.size(), file) != header.size() ||
        !IsBmpFileHeader(header.data())) {
        return {};
    }
    std::vector<std::uint8_t> block;
    try {
        block.resize(static_cast<std::size_t>(length) - kBmpFileHeaderSize);
    } catch (const std::bad_alloc&) {
        return {};
    }
    if (std::fread(block.data(), 1, block.size(), file) != block.size()) {
        return {};
    }
    return Checked(std::move(block));
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
