#include "channels/TermMapping.h"

#include <algorithm>
#include <cmath>

std::uint8_t MapTermValue(float value, const ValueRange& range) {
    const double span = static_cast<double>(range.high) - range.low;
    if (span == 0.0 || !std::isfinite(value)) {
        return 0;
    }
    const double t = std::clamp((static_cast<double>(value) - range.low) / span, 0.0, 1.0);
    const double shaped = range.gamma == 1.0f ? t : std::pow(t, 1.0 / range.gamma);
    return static_cast<std::uint8_t>(std::lround(255.0 * shaped));
}

CTermMapping::CTermMapping(const ChannelTerm& term, const float* firstTable,
                           const float* secondTable, const ValueRange& range)
    : m_bDifference(term.IsDifference()) {
    if (!m_bDifference) {
        m_table.resize(kTermCounts);
        m_pairs.resize(static_cast<std::size_t>(kTermCounts) * kTermCounts);
        for (int a = 0; a < kTermCounts; ++a) {
            m_table[static_cast<std::size_t>(a)] = MapTermValue(firstTable[a], range);
            std::fill_n(m_pairs.begin() + static_cast<std::ptrdiff_t>(a) * kTermCounts, kTermCounts,
                        m_table[static_cast<std::size_t>(a)]);
        }
        return;
    }
    // The difference is taken in single precision, as a reader subtracting
    // two calibrated rows would.
    m_table.resize(static_cast<std::size_t>(kTermCounts) * kTermCounts);
    for (int a = 0; a < kTermCounts; ++a) {
        for (int b = 0; b < kTermCounts; ++b) {
            m_table[static_cast<std::size_t>(a) * kTermCounts + static_cast<std::size_t>(b)] =
                MapTermValue(firstTable[a] - secondTable[b], range);
        }
    }
    m_pairs = m_table;
}

void CTermMapping::MapRow(const std::uint8_t* first, const std::uint8_t* second, int width,
                          std::uint8_t* out, int step) const {
    const std::uint8_t* table = m_table.data();
    if (!m_bDifference) {
        for (int x = 0; x < width; ++x, out += step) {
            *out = table[first[x]];
        }
        return;
    }
    for (int x = 0; x < width; ++x, out += step) {
        *out = table[static_cast<std::size_t>(first[x]) * kTermCounts + second[x]];
    }
}
