#include "product/AwxGrid.h"

#include <array>
#include <new>

#include "platform/ByteOrder.h"
#include "product/AwxFileAccess.h"

namespace {

double StoredValue(const std::uint8_t* p, int bytes) {
    switch (bytes) {
        case 1:
            return *p;
        case 2:
            return ReadInt16LE(p);
        default:
            return ReadInt32LE(p);
    }
}

bool ReadRows(std::FILE* file, const AwxGrid& grid, std::vector<float>& values) {
    const AwxGridHeader& h = grid.header;
    const std::size_t columns = static_cast<std::size_t>(h.columns);
    const std::size_t rowBytes = columns * static_cast<std::size_t>(h.bytesPerValue);
    const std::int64_t offset = AwxDataOffset(grid.first);
    std::vector<std::uint8_t> row(rowBytes);
    const double base = h.baseValue;
    const double scale = h.scaleFactor;
    values.resize(columns * static_cast<std::size_t>(h.rows));
    for (std::size_t r = 0; r < static_cast<std::size_t>(h.rows); ++r) {
        const std::int64_t at = offset + static_cast<std::int64_t>(r) * grid.first.recordLength;
        if (!SeekTo(file, at, SEEK_SET) || !ReadExactly(file, row.data(), rowBytes)) {
            return false;
        }
        float* out = values.data() + r * columns;
        for (std::size_t c = 0; c < columns; ++c) {
            const double stored = StoredValue(row.data() + c * h.bytesPerValue, h.bytesPerValue);
            out[c] = static_cast<float>((stored + base) / scale);
        }
    }
    return true;
}

}  // namespace

bool ReadAwxGrid(std::FILE* file, AwxGrid& out, std::string& refusal) {
    refusal.clear();
    std::array<std::uint8_t, kAwxGridHeadersSize> bytes{};
    if (file == nullptr || !SeekTo(file, 0, SEEK_SET) ||
        !ReadExactly(file, bytes.data(), bytes.size())) {
        return false;
    }
    AwxGrid grid;
    grid.first = ParseAwxFirstHeader(bytes.data());
    if (!IsAwxGridFile(grid.first)) {
        return false;
    }
    grid.header = ParseAwxGridHeader(bytes.data() + kAwxFirstHeaderSize);
    refusal = AwxGridRefusal(grid.first, grid.header, FileSize(file));
    if (!refusal.empty()) {
        return false;
    }
    try {
        if (!ReadRows(file, grid, grid.values)) {
            return false;
        }
    } catch (const std::bad_alloc&) {
        return false;
    }
    out = std::move(grid);
    return true;
}
