#include "synth/AwxGridWriter.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

#include "platform/ByteOrder.h"
#include "product/AwxGridHeader.h"
#include "product/GridElements.h"
#include "synth/SynthCalibration.h"
#include "synth/SynthScene.h"

namespace {

// Cloud tops from this (and colder) to the warm surface span an element's
// display range in the default field.
constexpr double kColdTopK = 200.0;
constexpr double kWarmSurfaceK = 300.0;

int Centi(double value) {
    return static_cast<int>(std::clamp(std::lround(value * 100.0), -32768L, 32767L));
}

void PutChars(std::uint8_t* p, std::size_t size, const std::string& text, char pad) {
    std::memset(p, pad, size);
    std::memcpy(p, text.data(), std::min(size, text.size()));
}

// The synthetic weather's brightness temperatures, or for other elements a
// value across their display range: the cold end under the coldest tops for
// the temperature-like ones, the high end for the rest.
std::vector<double> DefaultValues(const AwxGridWriterOptions& o) {
    const double midLon = o.leftLon + 0.5 * (o.columns - 1) * o.spacing;
    const double midLat = o.topLat - 0.5 * (o.rows - 1) * o.spacing;
    const SynthGrid grid{o.columns, o.rows, midLon, midLat, o.spacing};
    const std::vector<std::uint8_t> counts = CSynthScene(o.seed, grid, 0.0).RenderCounts(1);
    const GridElement element = GridElementOf(o.element);
    const double low = element.high > element.low ? element.low : 0.0;
    const double span = element.high > element.low ? element.high - element.low : 100.0;
    std::vector<double> values(counts.size());
    for (std::size_t k = 0; k < counts.size(); ++k) {
        const double kelvin = SynthCalibratedValue(1, counts[k]);
        const double cold =
            std::clamp((kWarmSurfaceK - kelvin) / (kWarmSurfaceK - kColdTopK), 0.0, 1.0);
        values[k] = element.temperature  ? kelvin
                    : element.coldBright ? low + span * (1.0 - cold)
                                         : low + span * cold;
    }
    return values;
}

std::vector<double> Values(const AwxGridWriterOptions& o) {
    if (!o.field) {
        return DefaultValues(o);
    }
    std::vector<double> values;
    for (int r = 0; r < o.rows; ++r) {
        for (int c = 0; c < o.columns; ++c) {
            values.push_back(o.field(o.leftLon + c * o.spacing, o.topLat - r * o.spacing));
        }
    }
    return values;
}

void PutStored(std::uint8_t* p, int bytes, double stored) {
    if (bytes == 1) {
        *p = static_cast<std::uint8_t>(std::clamp(std::lround(stored), 0L, 255L));
    } else if (bytes == 2) {
        WriteInt16LE(p,
                     static_cast<std::int32_t>(std::clamp(std::lround(stored), -32768L, 32767L)));
    } else {
        const double limit = std::numeric_limits<std::int32_t>::max();
        WriteInt32LE(p, static_cast<std::uint32_t>(static_cast<std::int32_t>(
                            std::llround(std::clamp(stored, -limit, limit)))));
    }
}

void WriteHeaders(std::uint8_t* p, const AwxGridWriterOptions& o, int recordLength,
                  int headerRecords) {
    PutChars(p, 12, "SYNGRID.AWX", '\0');
    WriteInt16LE(p + 14, static_cast<std::int32_t>(kAwxFirstHeaderSize));
    WriteInt16LE(p + 16, static_cast<std::int32_t>(kAwxGridHeaderSize));
    const int fill = recordLength * headerRecords - static_cast<int>(kAwxGridHeadersSize);
    WriteInt16LE(p + 18, std::max(fill, 0));
    WriteInt16LE(p + 20, recordLength);
    WriteInt16LE(p + 22, headerRecords);
    WriteInt16LE(p + 24, o.rows);
    WriteInt16LE(p + 26, kAwxGridCategory);
    const bool sat96 = o.edition.find("SAT96") != std::string::npos;
    PutChars(p + 30, 8, o.edition, sat96 ? ' ' : '\0');
    std::uint8_t* g = p + kAwxFirstHeaderSize;
    PutChars(g, 8, o.satelliteName, '\0');
    const double right = o.leftLon + (o.columns - 1) * o.spacing;
    const double bottom = o.topLat - (o.rows - 1) * o.spacing;
    const int fields[] = {o.element,
                          o.bytesPerValue,
                          o.baseValue,
                          o.scaleFactor,
                          o.timeRange,
                          o.year,
                          o.month,
                          o.day,
                          o.hour,
                          o.minute,
                          o.year,
                          o.month,
                          o.day,
                          o.hour,
                          o.minute,
                          Centi(o.topLat),
                          Centi(o.leftLon),
                          Centi(bottom),
                          Centi(right),
                          o.spacingUnit,
                          Centi(o.spacing),
                          Centi(o.spacing),
                          o.columnsField.value_or(o.columns),
                          o.rowsField.value_or(o.rows)};
    std::size_t at = 8;
    for (int field : fields) {
        WriteInt16LE(g + at, field);
        at += 2;
    }
}

}  // namespace

std::vector<std::uint8_t> MakeAwxGridProduct(const AwxGridWriterOptions& o) {
    const int recordLength = std::max(o.columns * o.bytesPerValue, 1);
    const int headerRecords =
        static_cast<int>((kAwxGridHeadersSize + recordLength - 1) / recordLength);
    const std::size_t dataOffset = static_cast<std::size_t>(recordLength) * headerRecords;
    const std::size_t size =
        dataOffset + static_cast<std::size_t>(recordLength) * std::max(o.rows, 0);
    std::vector<std::uint8_t> bytes(std::max(size, kAwxGridHeadersSize), 0);
    WriteHeaders(bytes.data(), o, recordLength, headerRecords);
    // Other value sizes are written as zeros: only the header says them.
    const bool knownSize = o.bytesPerValue == 1 || o.bytesPerValue == 2 || o.bytesPerValue == 4;
    const std::vector<double> values = knownSize ? Values(o) : std::vector<double>();
    for (std::size_t k = 0; k < values.size(); ++k) {
        const double stored = values[k] * o.scaleFactor - o.baseValue;
        PutStored(bytes.data() + dataOffset + k * o.bytesPerValue, o.bytesPerValue, stored);
    }
    return bytes;
}
