#pragma once
// Inputs for the precipitation tests: infrared products whose brightness
// temperatures are given pixel by pixel, and threshold tables given by a
// function of the table's row and column.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/ByteOrder.h"
#include "product/AwxHeaders.h"
#include "support/TestSupport.h"
#include "synth/AwxWriter.h"

// Kelvin at (column, row).
using PrecipField = std::function<double(int, int)>;

// An equal latitude/longitude product of 0.05 degree over central China.
inline AwxWriterOptions PrecipProductOptions(int width, int height, int month) {
    AwxWriterOptions o;
    o.width = width;
    o.height = height;
    o.month = month;
    o.day = 15;
    o.centerLon = 110.0;
    o.centerLat = 30.0;
    o.resolution = 0.05;
    return o;
}

// The product of `options` with every pixel at the temperature of `field`
// (to 0.01 K): each distinct temperature gets a count, and the calibration
// block maps the count to it. At most 256 distinct temperatures.
inline std::vector<std::uint8_t> PrecipProduct(const AwxWriterOptions& options,
                                               const PrecipField& field) {
    std::vector<std::uint8_t> bytes = MakeAwxProduct(options);
    std::map<long, std::uint8_t> countOf;
    const std::size_t pixels = static_cast<std::size_t>(options.width) * options.height;
    const std::size_t dataAt = bytes.size() - pixels;
    for (int r = 0; r < options.height; ++r) {
        for (int c = 0; c < options.width; ++c) {
            const long centi = std::lround(field(c, r) * 100.0);
            auto found = countOf.find(centi);
            if (found == countOf.end()) {
                const auto count = static_cast<std::uint8_t>(countOf.size());
                found = countOf.emplace(centi, count).first;
                WriteInt16LE(bytes.data() + kAwxCalibrationOffset + 8 * count,
                             static_cast<std::int32_t>(centi));
            }
            bytes[dataAt + static_cast<std::size_t>(r) * options.width + c] = found->second;
        }
    }
    return bytes;
}

// Writes the infrared-1 and infrared-2 products of one observation into
// folder, named as the catalogue names them, and returns the infrared-1 path.
inline std::string WritePrecipPair(const std::string& folder, AwxWriterOptions options,
                                   const PrecipField& t1, const PrecipField& t2) {
    const std::string stem = folder + "/FY2G_LCN_";
    options.channel = 1;
    WriteBytesToPath(stem + "IR1_202204151200.AWX", PrecipProduct(options, t1));
    options.channel = 2;
    WriteBytesToPath(stem + "IR2_202204151200.AWX", PrecipProduct(options, t2));
    return stem + "IR1_202204151200.AWX";
}

// The other channel's path of a pair written by WritePrecipPair.
inline std::string PrecipIr2Path(const std::string& ir1Path) {
    std::string p = ir1Path;
    p.replace(p.rfind("IR1"), 3, "IR2");
    return p;
}

// Kelvin at (table row, table column).
using PrecipTableField = std::function<double(int, int)>;

inline std::vector<std::uint8_t> PrecipTable(const PrecipTableField& kelvin) {
    std::vector<std::uint8_t> bytes(2 * 512 * 512);
    for (int r = 0; r < 512; ++r) {
        for (int c = 0; c < 512; ++c) {
            WriteInt16LE(bytes.data() + 2 * (r * 512 + c),
                         static_cast<std::int32_t>(std::lround(kelvin(r, c) * 10.0)));
        }
    }
    return bytes;
}

// All four seasonal tables in folder, each from the same field.
inline void WritePrecipTables(const std::string& folder, const PrecipTableField& kelvin) {
    const std::vector<std::uint8_t> table = PrecipTable(kelvin);
    for (const char* name :
         {"yuzhi_1212.dat", "yuzhi_345.dat", "yuzhi_678.dat", "yuzhi_91011.dat"}) {
        WriteBytesToPath(folder + "/" + name, table);
    }
}

inline PrecipTableField UniformThreshold(double kelvin) {
    return [kelvin](int, int) { return kelvin; };
}
