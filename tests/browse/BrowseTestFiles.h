#pragma once
// Small synthetic products for the listing tests.

#include <cstdint>
#include <string>
#include <vector>

#include "support/TestSupport.h"
#include "synth/AwxWriter.h"

// Offsets inside the first and second headers that the tests change by hand.
constexpr std::size_t kCategoryOffset = 26;
constexpr std::size_t kFileChannelOffset = 40 + 18;

inline AwxWriterOptions SmallProduct(int channel = 1) {
    AwxWriterOptions options;
    options.width = 16;
    options.height = 8;
    options.calibration = false;
    options.channel = channel;
    return options;
}

inline void PutInt16(std::vector<std::uint8_t>& bytes, std::size_t offset, int value) {
    bytes[offset] = static_cast<std::uint8_t>(value & 0xFF);
    bytes[offset + 1] = static_cast<std::uint8_t>((value >> 8) & 0xFF);
}

// Writes a small product of the channel code and returns its path.
inline std::string WriteSmall(const CTempDir& dir, const std::string& name, int channel = 1) {
    const std::string path = dir.File(name);
    WriteAwxProduct(path, SmallProduct(channel));
    return path;
}

// Writes a small product whose header says file channel number fileChannel.
inline std::string WriteFileChannel(const CTempDir& dir, const std::string& name, int fileChannel) {
    std::vector<std::uint8_t> bytes = MakeAwxProduct(SmallProduct());
    PutInt16(bytes, kFileChannelOffset, fileChannel);
    const std::string path = dir.File(name);
    WriteBytesToPath(path, bytes);
    return path;
}
