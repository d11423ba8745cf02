// CGeoImage's calibrated values, made from the counts and the table when
// they are read.

#include <cstddef>
#include <new>

#include "product/CGeoImageCounts.h"

CalibratedGrid CGeoImage::Calibrated() const {
    CalibratedGrid grid;
    if (!m_pCounts) {
        return grid;
    }
    const SharedCounts& c = m_pCounts->counts;
    grid.topRow = c.topRow;
    grid.rowStride = c.rowStride;
    grid.table = m_calibration.data();
    grid.width = c.width;
    grid.height = c.height;
    if (m_pCounts->exactValues) {
        grid.values = m_pCounts->floats.get();
    }
    return grid;
}

const std::uint8_t* CGeoImage::CountsRow(int y) const {
    if (!m_pCounts || y < 0 || y >= m_pCounts->counts.height) {
        return nullptr;
    }
    return m_pCounts->counts.topRow + m_pCounts->counts.rowStride * y;
}

bool CGeoImage::CalibratedRow(int y, float* out) const {
    if (CountsRow(y) == nullptr) {
        return false;
    }
    Calibrated().Row(y, out);
    return true;
}

bool CGeoImage::CalibratedValueAt(int x, int y, float& value) const {
    const std::uint8_t* row = CountsRow(y);
    if (row == nullptr || x < 0 || x >= m_pCounts->counts.width) {
        return false;
    }
    value = m_pCounts->exactValues ? Calibrated().At(x, y) : m_calibration[row[x]];
    return true;
}

const float* CGeoImage::CalibratedImage() const {
    if (!m_pCounts) {
        return nullptr;
    }
    if (!m_pCounts->floats) {
        const CalibratedGrid grid = Calibrated();
        const std::size_t width = static_cast<std::size_t>(grid.width);
        std::unique_ptr<float[]> floats;
        try {
            floats = std::make_unique_for_overwrite<float[]>(width * grid.height);
        } catch (const std::bad_alloc&) {
            return nullptr;
        }
        for (int y = 0; y < grid.height; ++y) {
            grid.Row(y, floats.get() + width * y);
        }
        m_pCounts->floats = std::move(floats);
    }
    return m_pCounts->floats.get();
}
