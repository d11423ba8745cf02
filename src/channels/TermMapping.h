#pragma once
// How a channel or a difference becomes one byte per pixel: the value range
// mapped to 0 … 255 (reversed when low is above high), values outside it
// held at its ends, then a gamma. Channels hold 256 counts each, so a term's
// bytes are looked up in a table made once per picture: 256 entries for a
// channel, 256 × 256 for a difference.

#include <cstdint>
#include <vector>

#include "channels/ChannelTerm.h"

struct ValueRange {
    float low = 0.0f;   // the value mapped to 0
    float high = 1.0f;  // the value mapped to 255
    float gamma = 1.0f;
};

constexpr int kTermCounts = 256;

// The byte of one value: t = (value − low) / (high − low) held to [0, 1],
// then 255 · t^(1 / gamma), rounded. low equal to high gives 0.
std::uint8_t MapTermValue(float value, const ValueRange& range);

class CTermMapping {
public:
    // tables: the calibration table (256 values by count) of each channel
    // the term reads, first then second.
    CTermMapping(const ChannelTerm& term, const float* firstTable, const float* secondTable,
                 const ValueRange& range);

    // The bytes of one row of width pixels from the counts rows of the
    // term's channels (second unused for a channel alone), written every
    // step bytes from out.
    void MapRow(const std::uint8_t* first, const std::uint8_t* second, int width, std::uint8_t* out,
                int step) const;

    // The table by count pair: entry first × 256 + second; a channel alone
    // repeats its byte for every second count, so a composite can look up
    // every colour the same way in one pass over its rows.
    const std::uint8_t* PairTable() const { return m_pairs.data(); }

private:
    bool m_bDifference = false;
    std::vector<std::uint8_t> m_table;
    std::vector<std::uint8_t> m_pairs;
};
