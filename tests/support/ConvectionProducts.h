#pragma once
// Products with known cold discs and ramps for the convection tests: counts
// painted by rule, a calibration of 300 K at count 0 falling 0.5 K per count
// (count 158 is 221 K), in memory or written as AWX files.

#include <array>
#include <cmath>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "geo/Projection.h"
#include "platform/ByteOrder.h"
#include "product/AwxHeaders.h"
#include "product/CalibratedGrid.h"
#include "synth/AwxWriter.h"

constexpr double kTestEarthKm = 6371.0;
constexpr double kTestRadPerDeg = 3.14159265358979323846 / 180.0;

inline float TestKelvin(int count) {
    return 300.0f - 0.5f * static_cast<float>(count);
}
inline std::uint8_t TestCount(double kelvin) {
    return static_cast<std::uint8_t>(std::lround((300.0 - kelvin) / 0.5));
}

inline std::array<float, 256> TestTable() {
    std::array<float, 256> table{};
    for (int c = 0; c < 256; ++c) {
        table[c] = TestKelvin(c);
    }
    return table;
}

// A width x height image of counts with its table.
struct TestImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> counts;
    std::array<float, 256> table = TestTable();

    TestImage(int w, int h, double warmK = 290.0)
        : width(w), height(h), counts(static_cast<std::size_t>(w) * h, TestCount(warmK)) {}
    void Set(int x, int y, double kelvin) {
        counts[static_cast<std::size_t>(y) * width + x] = TestCount(kelvin);
    }
    CalibratedGrid Grid() const {
        CalibratedGrid grid;
        grid.topRow = counts.data();
        grid.rowStride = width;
        grid.table = table.data();
        grid.width = width;
        grid.height = height;
        return grid;
    }
};

inline double TestGreatCircleKm(double lon1, double lat1, double lon2, double lat2) {
    const double p1 = lat1 * kTestRadPerDeg;
    const double p2 = lat2 * kTestRadPerDeg;
    const double c = std::sin(p1) * std::sin(p2) +
                     std::cos(p1) * std::cos(p2) * std::cos((lon2 - lon1) * kTestRadPerDeg);
    return kTestEarthKm * std::acos(std::fmin(1.0, c));
}

// Paints every pixel whose centre lies within radiusKm of (lon, lat) on the
// earth at kelvin; the number of pixels painted.
inline int PaintDisc(TestImage& image, const ProjectionParams& params, double lon, double lat,
                     double radiusKm, double kelvin) {
    int painted = 0;
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            float plon = 0.0f;
            float plat = 0.0f;
            if (PixelToLatLon(params, x, y, plon, plat) == 0 &&
                TestGreatCircleKm(lon, lat, plon, plat) <= radiusKm) {
                image.Set(x, y, kelvin);
                ++painted;
            }
        }
    }
    return painted;
}

inline double SphericalCapKm2(double radiusKm) {
    return 2.0 * 3.14159265358979323846 * kTestEarthKm * kTestEarthKm *
           (1.0 - std::cos(radiusKm / kTestEarthKm));
}

// The AWX file of options with the image's counts and the test calibration.
inline bool WriteTestProduct(const std::string& path, AwxWriterOptions options,
                             const TestImage& image) {
    options.width = image.width;
    options.height = image.height;
    options.calibration = true;
    options.trailingBytes = 0;
    std::vector<std::uint8_t> bytes = MakeAwxProduct(options);
    std::uint8_t* table = bytes.data() + kAwxCalibrationOffset;
    for (int c = 0; c < 256; ++c) {
        for (int k = 0; k < 4; ++k) {
            WriteInt16LE(table + 8 * c + 2 * k,
                         static_cast<std::int32_t>(std::lround(image.table[c] * 100.0)));
        }
    }
    std::copy(image.counts.begin(), image.counts.end(),
              bytes.end() - static_cast<std::ptrdiff_t>(image.counts.size()));
    return WriteBytesToPath(path, bytes);
}
