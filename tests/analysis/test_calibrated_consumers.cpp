// The isotherms and the precipitation texture read from counts and table give
// exactly what they give from the whole image of calibrated floats, rows
// stored top-down or bottom-up.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "analysis/CPrecipTexture.h"
#include "analysis/IsothermLines.h"
#include "product/CalibratedGrid.h"

namespace {

struct Field {
    const char* name;
    int width, height;
    bool bottomUp;
    std::vector<std::uint8_t> rows;  // as stored
    std::vector<float> table;
    std::vector<float> floats;  // top row first
    CalibratedGrid grid;
};

// Counts of smooth cold cloud shapes with noise, through a falling
// temperature table (330 K at count 0, about 120 K at 255).
Field MakeField(const char* name, int width, int height, bool bottomUp, std::uint32_t seed) {
    Field f{name, width, height, bottomUp, {}, std::vector<float>(256), {}, {}};
    for (int v = 0; v < 256; ++v) {
        f.table[static_cast<std::size_t>(v)] = static_cast<float>(330.0 - 0.82 * v);
    }
    std::mt19937 random(seed);
    f.rows.resize(static_cast<std::size_t>(width) * height);
    f.floats.resize(f.rows.size());
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const double cloud = 120 + 110 * std::sin(x / 17.0) * std::cos(y / 23.0);
            const auto count = static_cast<std::uint8_t>(
                std::clamp(cloud + static_cast<int>(random() % 9) - 4.0, 0.0, 255.0));
            const int stored = bottomUp ? height - 1 - y : y;
            f.rows[static_cast<std::size_t>(stored) * width + x] = count;
            f.floats[static_cast<std::size_t>(y) * width + x] = f.table[count];
        }
    }
    f.grid.table = f.table.data();
    f.grid.width = width;
    f.grid.height = height;
    f.grid.rowStride = bottomUp ? -width : width;
    f.grid.topRow = f.rows.data() + (bottomUp ? static_cast<std::size_t>(height - 1) * width : 0);
    return f;
}

TEST(CalibratedConsumers, SameIsothermsAndTextureAsFromFloats) {
    const struct {
        const char* name;
        int width, height;
        bool bottomUp;
    } cases[] = {
        {"TopDown", 161, 97, false},
        {"BottomUp", 161, 97, true},
        {"NarrowOdd", 23, 61, true},
        {"TooSmallForTexture", 5, 5, false},
    };
    std::uint32_t seed = 1;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Field f = MakeField(c.name, c.width, c.height, c.bottomUp, seed++);

        CContourTracer tracer;
        std::vector<IsothermLevel> fromFloats;
        std::vector<IsothermLevel> fromGrid;
        const bool okFloats =
            IsothermLines(tracer, static_cast<std::uint16_t>(c.width),
                          static_cast<std::uint16_t>(c.height), f.floats.data(), fromFloats);
        EXPECT_EQ(IsothermLines(tracer, f.grid, fromGrid), okFloats);
        ASSERT_EQ(fromGrid.size(), fromFloats.size());
        for (std::size_t n = 0; n < fromGrid.size(); ++n) {
            EXPECT_EQ(fromGrid[n].counts, fromFloats[n].counts) << n;
            EXPECT_EQ(fromGrid[n].x, fromFloats[n].x) << n;
            EXPECT_EQ(fromGrid[n].y, fromFloats[n].y) << n;
        }

        CPrecipTexture floats;
        CPrecipTexture counts;
        ASSERT_TRUE(floats.Begin(f.floats.data(), c.width, c.height));
        ASSERT_TRUE(counts.Begin(f.grid));
        // Rows in a jumping order, as rain candidates ask for them.
        for (int row : {0, 3, 4, 2, c.height - 1, c.height / 2, c.height / 2 + 1, 1}) {
            const int r = std::clamp(row, 0, c.height - 1);
            const std::vector<float> a(floats.Row(r), floats.Row(r) + c.width);
            const std::vector<float> b(counts.Row(r), counts.Row(r) + c.width);
            EXPECT_EQ(a, b) << "row " << r;
        }
    }
}

TEST(CalibratedConsumers, EmptyGridDrawsNoIsotherms) {
    CContourTracer tracer;
    std::vector<IsothermLevel> levels(3);
    EXPECT_FALSE(IsothermLines(tracer, CalibratedGrid{}, levels));
    EXPECT_TRUE(levels.empty());
    EXPECT_FALSE(tracer.IsPrepared());
}

}  // namespace
