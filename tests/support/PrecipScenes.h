#pragma once
// Inputs for the precipitation tests: infrared pairs whose brightness
// temperatures are given pixel by pixel, and threshold tables given by a
// function of the table's row and column.

#include <cmath>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/ByteOrder.h"
#include "product/AwxHeaders.h"
#include "synth/AwxWriter.h"

// Kelvin at (column, row) of an image, or at (row, column) of a table.
using PrecipField = std::function<double(int, int)>;

// An equal latitude/longitude product of 0.05 degree centred 110 E 30 N.
inline AwxWriterOptions PrecipProductOptions(int width, int height, int month) {
    AwxWriterOptions o;
    o.width = width;
    o.height = height;
    o.month = month;
    o.centerLon = 110.0;
    o.centerLat = 30.0;
    o.resolution = 0.05;
    return o;
}

// The product with every pixel at its temperature (to 0.01 K): each
// distinct temperature gets a count, and the calibration maps it back.
inline std::vector<std::uint8_t> PrecipProduct(const AwxWriterOptions& o, const PrecipField& k) {
    std::vector<std::uint8_t> bytes = MakeAwxProduct(o);
    std::map<long, int> countOf;
    const std::size_t dataAt = bytes.size() - static_cast<std::size_t>(o.width) * o.height;
    for (int r = 0; r < o.height; ++r) {
        for (int c = 0; c < o.width; ++c) {
            const long centi = std::lround(k(c, r) * 100.0);
            const int count =
                countOf.emplace(centi, static_cast<int>(countOf.size())).first->second;
            WriteInt16LE(bytes.data() + kAwxCalibrationOffset + 8 * count, centi);
            bytes[dataAt + static_cast<std::size_t>(r) * o.width + c] =
                static_cast<std::uint8_t>(count);
        }
    }
    return bytes;
}

// Writes FY2G_LCN_IR1_… and FY2G_LCN_IR2_… into folder; returns the IR1 path.
inline std::string WritePrecipPair(const std::string& folder, AwxWriterOptions o,
                                   const PrecipField& t1, const PrecipField& t2) {
    o.channel = 1;
    WriteBytesToPath(folder + "/FY2G_LCN_IR1_202204151200.AWX", PrecipProduct(o, t1));
    o.channel = 2;
    WriteBytesToPath(folder + "/FY2G_LCN_IR2_202204151200.AWX", PrecipProduct(o, t2));
    return folder + "/FY2G_LCN_IR1_202204151200.AWX";
}

inline std::string PrecipIr2Path(std::string ir1Path) {
    return ir1Path.replace(ir1Path.rfind("IR1"), 3, "IR2");
}

// The four seasonal tables in folder, each from the same field.
inline void WritePrecipTables(const std::string& folder, const PrecipField& kelvin) {
    std::vector<std::uint8_t> table(2 * 512 * 512);
    for (int r = 0; r < 512; ++r) {
        for (int c = 0; c < 512; ++c) {
            WriteInt16LE(table.data() + 2 * (r * 512 + c), std::lround(kelvin(r, c) * 10.0));
        }
    }
    for (const char* name :
         {"yuzhi_1212.dat", "yuzhi_345.dat", "yuzhi_678.dat", "yuzhi_91011.dat"}) {
        WriteBytesToPath(folder + "/" + name, table);
    }
}

inline PrecipField UniformThreshold(double kelvin) {
    return [kelvin](int, int) { return kelvin; };
}
