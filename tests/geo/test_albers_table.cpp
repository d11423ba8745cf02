#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#include "geo/Projection.h"

namespace {

const auto& Entry() {
    return AlbersRadiusTable();
}

// The lookup as a plain scan, to prove the faster search gives the same bits.
double LinearAlbersLatitude(double v) {
    if (v <= 0.0) {
        return 90.0;
    }
    int k = 1;
    while (k <= 8998 && !(v > Entry()[k])) {
        ++k;
    }
    return 0.01 * (k - 1) + 0.01 * (v - Entry()[k - 1]) / (Entry()[k] - Entry()[k - 1]);
}

TEST(AlbersTable, KnownEntriesAndStrictlyFalling) {
    EXPECT_NEAR(Entry()[0], 1263.658, 5e-4);
    EXPECT_NEAR(Entry()[3000], 946.4885, 5e-5);
    EXPECT_NEAR(Entry()[8999], 436.035, 5e-4);
    for (std::size_t k = 1; k < Entry().size(); ++k) {
        ASSERT_LT(Entry()[k], Entry()[k - 1]) << k;
    }
    EXPECT_EQ(&Entry(), &AlbersRadiusTable());  // built once
}

TEST(AlbersTable, Radius) {
    const struct {
        double lat;
        double radius;
    } rows[] = {
        {0.005, 0.0},
        {-10.0, 0.0},
        {0.0, 0.0},
        {89.99, 0.0},  // k = 8999 has no successor to interpolate towards
        {89.995, 0.0},
        {30.0, Entry()[3000]},
        {0.01, Entry()[1]},
        {89.98, Entry()[8998]},
        {45.125, Entry()[4512] + (Entry()[4513] - Entry()[4512]) * (4512.5 - 4512)},
    };
    for (const auto& row : rows) {
        EXPECT_DOUBLE_EQ(AlbersRadius(row.lat), row.radius) << row.lat;
    }
    EXPECT_EQ(AlbersRadius(30.0), Entry()[3000]);
    EXPECT_EQ(AlbersRadius(std::nan("")), 0.0);
    EXPECT_EQ(AlbersRadius(1e300), 0.0);
}

TEST(AlbersTable, Latitude) {
    EXPECT_EQ(AlbersLatitude(0.0), 90.0);
    EXPECT_EQ(AlbersLatitude(-5.0), 90.0);
    EXPECT_EQ(AlbersLatitude(Entry()[3000]), 30.0);
    for (int k = 1; k < 8999; k += 7) {
        EXPECT_NEAR(AlbersLatitude(Entry()[k]), k / 100.0, 1e-9) << k;
    }
    for (double lat = 0.5; lat < 89.9; lat += 0.37) {
        EXPECT_NEAR(AlbersLatitude(AlbersRadius(lat)), lat, 1e-9) << lat;
    }
}

TEST(AlbersTable, SearchMatchesLinearScanBitForBit) {
    std::vector<double> radii = {0.0, -1.0, 1e-9, 436.0, 436.035, 2000.0, 1e6, std::nan("")};
    for (std::size_t k = 0; k < Entry().size(); ++k) {
        radii.push_back(Entry()[k]);
        radii.push_back(std::nextafter(Entry()[k], 0.0));
        radii.push_back(std::nextafter(Entry()[k], 1e9));
        if (k + 1 < Entry().size()) {
            radii.push_back((Entry()[k] + Entry()[k + 1]) / 2.0);
        }
    }
    std::uint32_t seed = 1;
    for (int i = 0; i < 100000; ++i) {
        seed = seed * 1664525u + 1013904223u;
        radii.push_back(300.0 + 1100.0 * (seed / 4294967296.0));
    }
    for (double v : radii) {
        const double fast = AlbersLatitude(v);
        const double slow = LinearAlbersLatitude(v);
        ASSERT_EQ(std::memcmp(&fast, &slow, sizeof fast), 0) << v;  // NaN too
    }
}

}  // namespace
