#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "analysis/IsothermLines.h"

namespace {
constexpr float kCentreX = 200.0f;
constexpr float kCentreY = 200.0f;
constexpr float kCentreValue = 170.0f;
constexpr float kRise = 0.8f;  // kelvin per pixel away from the centre

// Temperature rising with the distance from one pixel: the isotherm of level
// E is the circle of radius (E - 170) / 0.8 around it.
std::vector<float> ConeField(int width, int height) {
    std::vector<float> data(static_cast<std::size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            data[static_cast<std::size_t>(y) * width + x] =
                kCentreValue + kRise * std::hypot(x - kCentreX, y - kCentreY);
        }
    }
    return data;
}
}  // namespace

TEST(IsothermLines, ConeGivesCirclesOfTheExpectedRadii) {
    const std::vector<float> data = ConeField(400, 400);
    CContourTracer tracer;
    std::vector<IsothermLevel> levels;
    ASSERT_TRUE(IsothermLines(tracer, 400, 400, data.data(), levels));
    EXPECT_FALSE(tracer.IsPrepared());
    ASSERT_EQ(levels.size(), 11u);
    for (int n = 0; n < 11; ++n) {
        const IsothermLevel& level = levels[n];
        EXPECT_FLOAT_EQ(level.level, 180.0f + 12.0f * n);
        EXPECT_EQ(level.colourIndex, 10 - n);
        if (n == 0) {
            // Below 180 K is missing, so nothing lies on the low side of 180.
            EXPECT_TRUE(level.counts.empty());
            continue;
        }
        ASSERT_EQ(level.counts.size(), 1u) << level.level;
        EXPECT_LT(level.counts[0], 0) << level.level;
        const float radius = (level.level - kCentreValue) / kRise;
        for (std::size_t p = 0; p < level.x.size(); ++p) {
            const float d = std::hypot(level.x[p] - kCentreX, level.y[p] - kCentreY);
            EXPECT_NEAR(d, radius, 1.0f) << level.level;
        }
    }
}

TEST(IsothermLines, RowsBeyondTheLastSampleShiftTheLines) {
    // Two more rows: the same samples, every point two rows lower.
    const std::vector<float> even = ConeField(400, 400);
    const std::vector<float> odd = ConeField(400, 402);
    CContourTracer tracer;
    std::vector<IsothermLevel> a;
    std::vector<IsothermLevel> b;
    ASSERT_TRUE(IsothermLines(tracer, 400, 400, even.data(), a));
    ASSERT_TRUE(IsothermLines(tracer, 400, 402, odd.data(), b));
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t n = 0; n < a.size(); ++n) {
        ASSERT_EQ(a[n].y.size(), b[n].y.size());
        EXPECT_EQ(a[n].x, b[n].x);
        for (std::size_t p = 0; p < a[n].y.size(); ++p) {
            EXPECT_FLOAT_EQ(b[n].y[p], a[n].y[p] + 2.0f);
        }
    }
}

TEST(IsothermLines, ValuesOutsideTheValidRangeGiveNoLines) {
    CContourTracer tracer;
    std::vector<IsothermLevel> levels;
    const std::vector<float> visible(64 * 64, 0.4f);
    ASSERT_TRUE(IsothermLines(tracer, 64, 64, visible.data(), levels));
    ASSERT_EQ(levels.size(), 11u);
    for (const IsothermLevel& level : levels) {
        EXPECT_TRUE(level.counts.empty());
    }
    // Smaller than one sample block: nothing to trace.
    EXPECT_FALSE(IsothermLines(tracer, 3, 64, visible.data(), levels));
    EXPECT_TRUE(levels.empty());
}
