#pragma once
// A product's calibrated values as their consumers read them: the counts, one
// byte per pixel, looked up in the 256-entry calibration table. A product
// keeps only its counts and the table, so every value is made when it is
// read, a row or a pixel at a time, and is the very float the table holds.
// A grid product's values are finer than 256 steps: it holds them exactly
// beside its counts, and they are read instead of the table.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>

struct CalibratedGrid {
    // Counts of the top row; row y starts rowStride * y bytes further on
    // (negative when the rows are stored bottom-up).
    const std::uint8_t* topRow = nullptr;
    std::ptrdiff_t rowStride = 0;
    // 256 calibrated values indexed by count.
    const float* table = nullptr;
    int width = 0;
    int height = 0;
    // The exact values, width a row, top row first; nullptr when the table
    // gives them.
    const float* values = nullptr;

    bool Empty() const { return topRow == nullptr || table == nullptr; }
    const std::uint8_t* CountsRow(int y) const { return topRow + rowStride * y; }
    const float* ValuesRow(int y) const { return values + static_cast<std::ptrdiff_t>(width) * y; }
    float At(int x, int y) const {
        return values != nullptr ? ValuesRow(y)[x] : table[CountsRow(y)[x]];
    }
    // The width values of row y (top row first) into out.
    void Row(int y, float* out) const {
        if (values != nullptr) {
            std::copy(ValuesRow(y), ValuesRow(y) + width, out);
            return;
        }
        const std::uint8_t* counts = CountsRow(y);
        for (int x = 0; x < width; ++x) {
            out[x] = table[counts[x]];
        }
    }
};

// Counts already in memory that a product may take instead of reading them
// again: rows of width counts, the top row at topRow, kept alive by owner.
struct SharedCounts {
    std::shared_ptr<const void> owner;
    const std::uint8_t* topRow = nullptr;
    std::ptrdiff_t rowStride = 0;
    int width = 0;
    int height = 0;
};
