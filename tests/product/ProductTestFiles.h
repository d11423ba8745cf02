#pragma once
// Inputs for the product tests: synthetic products written to a temporary
// folder, and patches of single header fields.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/ByteOrder.h"
#include "product/AwxHeaders.h"
#include "support/TestSupport.h"
#include "synth/AwxWriter.h"

// A small equal latitude/longitude product the projection set-up accepts.
inline AwxWriterOptions SmallProduct() {
    AwxWriterOptions o;
    o.width = 40;
    o.height = 30;
    return o;
}

inline std::string WriteProduct(const CTempDir& dir, const std::string& name,
                                const std::vector<std::uint8_t>& bytes) {
    const std::string path = dir.File(name);
    WriteBytesToPath(path, bytes);
    return path;
}

// Offsets of header fields in the file.
constexpr std::size_t kRecordLengthAt = 20;
constexpr std::size_t kHeaderRecordsAt = 22;
constexpr std::size_t kCategoryAt = 26;
constexpr std::size_t kFormatIdAt = 30;
constexpr std::size_t kSecondAt = kAwxFirstHeaderSize;
constexpr std::size_t kChannelAt = kSecondAt + 18;
constexpr std::size_t kProjectionAt = kSecondAt + 20;
constexpr std::size_t kWidthAt = kSecondAt + 22;
constexpr std::size_t kHeightAt = kSecondAt + 24;
constexpr std::size_t kHorizontalResAt = kSecondAt + 48;
constexpr std::size_t kVerticalResAt = kSecondAt + 50;
constexpr std::size_t kCalibrationLengthAt = kSecondAt + 58;

inline void Patch16(std::vector<std::uint8_t>& bytes, std::size_t at, std::int32_t value) {
    WriteInt16LE(bytes.data() + at, value);
}

// The image counts of a product written with the default layout.
inline std::vector<std::uint8_t> TrailingCounts(const std::vector<std::uint8_t>& bytes,
                                                std::size_t pixels, std::size_t trailing = 0) {
    const auto end = bytes.end() - static_cast<std::ptrdiff_t>(trailing);
    return std::vector<std::uint8_t>(end - static_cast<std::ptrdiff_t>(pixels), end);
}
