#include "product/AwxDib.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "platform/ByteOrder.h"
#include "product/AwxFileAccess.h"
#include "product/AwxGrid.h"
#include "product/AwxHeaders.h"
#include "product/GridDisplayScale.h"

namespace {

// Size of one read of image rows.
constexpr std::size_t kChunkBytes = 256 * 1024;

void WriteInfoHeader(std::uint8_t* p, std::uint16_t width, std::uint16_t height,
                     std::size_t imageSize) {
    WriteInt32LE(p, kDibInfoHeaderSize);
    WriteInt32LE(p + 4, width);
    WriteInt32LE(p + 8, height);  // positive: rows stored bottom-up
    WriteInt16LE(p + 12, 1);      // planes
    WriteInt16LE(p + 14, 8);      // bits per pixel
    WriteInt32LE(p + 16, 0);      // no compression
    WriteInt32LE(p + 20, static_cast<std::uint32_t>(imageSize));
    WriteInt32LE(p + 24, kAwxDibPixelsPerMetre);
    WriteInt32LE(p + 28, kAwxDibPixelsPerMetre);
    WriteInt32LE(p + 32, 256);  // colours used
    WriteInt32LE(p + 36, 0);    // colours important
}

void WriteGreyRamp(std::uint8_t* p) {
    for (int i = 0; i < 256; ++i) {
        p[4 * i] = p[4 * i + 1] = p[4 * i + 2] = static_cast<std::uint8_t>(i);
        p[4 * i + 3] = 0;
    }
}

// A grid product's picture: its values as the counts of the element's
// display range, the northern row on top.
constexpr std::size_t kGreyBitsOffset = kDibInfoHeaderSize + kDibGreyPaletteSize;

// An 8-bit grey block of the size, its header and ramp written and its pixels
// zero; empty when the memory cannot be had.
std::vector<std::uint8_t> GreyBlock(std::size_t width, std::size_t height) {
    const std::size_t stride = DibStride8(width);
    std::vector<std::uint8_t> block;
    try {
        block.assign(kGreyBitsOffset + stride * height, 0);
    } catch (const std::bad_alloc&) {
        return {};
    }
    WriteInfoHeader(block.data(), static_cast<std::uint16_t>(width),
                    static_cast<std::uint16_t>(height), stride * height);
    WriteGreyRamp(block.data() + kDibInfoHeaderSize);
    return block;
}

std::vector<std::uint8_t> ReadAwxGridDib(std::FILE* file) {
    AwxGrid grid;
    std::string refusal;
    if (!ReadAwxGrid(file, grid, refusal)) {
        return {};
    }
    const std::vector<std::uint8_t> counts =
        GridCounts(DisplayScaleOf(GridElementOf(grid.header.element), grid.values), grid.values);
    const std::size_t width = static_cast<std::size_t>(grid.header.columns);
    const std::size_t height = static_cast<std::size_t>(grid.header.rows);
    const std::size_t stride = DibStride8(width);
    const std::size_t bitsOffset = kGreyBitsOffset;
    std::vector<std::uint8_t> block = GreyBlock(width, height);
    if (block.empty()) {
        return {};
    }
    for (std::size_t r = 0; r < height; ++r) {
        std::memcpy(block.data() + bitsOffset + (height - 1 - r) * stride,
                    counts.data() + r * width, width);
    }
    return block;
}

}  // namespace

std::vector<std::uint8_t> ReadAwxDib(std::FILE* file) {
    AwxFirstHeader first;
    AwxSecondHeader second;
    if (!file || !SeekTo(file, 0, SEEK_SET)) {
        return {};
    }
    if (!ReadAwxHeaders(file, first, second)) {
        return IsAwxGridFile(first) ? ReadAwxGridDib(file) : std::vector<std::uint8_t>{};
    }
    if (!AwxSizeWithinLimits(second)) {
        return {};
    }
    const std::size_t width = second.width;
    const std::size_t height = second.height;
    const std::int64_t pixels =
        static_cast<std::int64_t>(width) * static_cast<std::int64_t>(height);
    // The size test comes before the allocation, so the block never
    // outgrows the file by more than the row padding.
    const std::int64_t size = FileSize(file);
    if (pixels == 0 || size < static_cast<std::int64_t>(kAwxHeadersSize) + pixels) {
        return {};
    }
    const std::size_t stride = DibStride8(width);
    const std::size_t bitsOffset = kGreyBitsOffset;
    std::vector<std::uint8_t> block = GreyBlock(width, height);
    if (block.empty()) {
        return {};
    }

    // Image row i (bottom-up) is the file row width × (i + 1) bytes before the
    // end. The rows are read top row first in chunks of whole rows, so that a
    // few large reads replace one small read per row.
    if (!SeekTo(file, -pixels, SEEK_END)) {
        return {};
    }
    const std::size_t rowsPerChunk = std::max<std::size_t>(1, kChunkBytes / width);
    std::vector<std::uint8_t> chunk(std::min(rowsPerChunk, height) * width);
    for (std::size_t top = 0; top < height; top += rowsPerChunk) {
        const std::size_t rows = std::min(rowsPerChunk, height - top);
        if (!ReadExactly(file, chunk.data(), rows * width)) {
            return {};
        }
        for (std::size_t r = 0; r < rows; ++r) {
            const std::size_t imageRow = height - 1 - (top + r);
            std::memcpy(block.data() + bitsOffset + imageRow * stride, chunk.data() + r * width,
                        width);
        }
    }
    return block;
}
