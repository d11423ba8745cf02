#pragma once
// Small synthetic products for the listing tests.

#include <cstdint>
#include <string>
#include <vector>

#include "support/TestSupport.h"
#include "synth/AwxGridWriter.h"
#include "synth/AwxWriter.h"

// A small product of the channel code whose header bytes can be changed by
// (offset, int16 value) pairs before it is written.
inline std::string WriteSmall(const CTempDir& dir, const std::string& name, int channel = 1,
                              std::vector<std::pair<std::size_t, int>> patches = {}) {
    AwxWriterOptions options;
    options.width = 16;
    options.height = 8;
    options.calibration = false;
    options.channel = channel;
    std::vector<std::uint8_t> bytes = MakeAwxProduct(options);
    for (const auto& [offset, value] : patches) {
        bytes[offset] = static_cast<std::uint8_t>(value & 0xFF);
        bytes[offset + 1] = static_cast<std::uint8_t>((value >> 8) & 0xFF);
    }
    const std::string path = dir.File(name);
    WriteBytesToPath(path, bytes);
    return path;
}

// A small brightness-temperature grid product.
inline std::string WriteSmallGrid(const CTempDir& dir, const std::string& name) {
    AwxGridWriterOptions options;
    options.columns = 16;
    options.rows = 12;
    const std::string path = dir.File(name);
    WriteBytesToPath(path, MakeAwxGridProduct(options));
    return path;
}

// Header offsets the tests change by hand.
constexpr std::size_t kCategoryOffset = 26;
constexpr std::size_t kFileChannelOffset = 40 + 18;
