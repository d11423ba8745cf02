#pragma once
// Synthetic products whose every pixel has one count, and whose calibration
// gives that count one known value (all other counts 0): what a read-out or
// a legend shows for them is known exactly.

#include <cmath>
#include <cstdint>
#include <vector>

#include "platform/ByteOrder.h"
#include "product/AwxHeaders.h"
#include "synth/AwxWriter.h"

inline std::vector<std::uint8_t> UniformProduct(AwxWriterOptions options, int count, double value) {
    options.calibration = true;
    options.trailingBytes = 0;
    std::vector<std::uint8_t> bytes = MakeAwxProduct(options);
    std::uint8_t* table = bytes.data() + kAwxCalibrationOffset;
    std::fill(table, table + kAwxCalibrationSize, 0);
    // Count v takes entry 4·v, in hundredths.
    WriteInt16LE(table + 8 * count, static_cast<std::int32_t>(std::lround(value * 100.0)));
    const std::size_t pixels =
        static_cast<std::size_t>(options.width) * static_cast<std::size_t>(options.height);
    std::fill(bytes.end() - static_cast<std::ptrdiff_t>(pixels), bytes.end(),
              static_cast<std::uint8_t>(count));
    return bytes;
}
