// Cloud-top cooling: the rate of a known ramp, its summary, the drawn
// colours, and the pairs of products that cannot be compared.

#include <gtest/gtest.h>

#include "convection/ConvectionOverlay.h"
#include "convection/CoolingRate.h"
#include "platform/Canvas.h"
#include "support/ConvectionProducts.h"
#include "support/TestSupport.h"

namespace {

AwxWriterOptions At(int hour, int minute, int channel = 1) {
    AwxWriterOptions options;
    options.hour = hour;
    options.minute = minute;
    options.channel = channel;
    return options;
}

CGeoImage Written(const CTempDir& dir, const std::string& name, const AwxWriterOptions& options,
                  const TestImage& image) {
    const std::string path = dir.File(name);
    EXPECT_TRUE(WriteTestProduct(path, options, image));
    CGeoImage product;
    EXPECT_TRUE(product.ReadProduct(path));
    return product;
}

// Column x of the newer picture is x/2 K colder than the older one, half
// an hour later: a cooling of x K/h.
TestImage Ramp() {
    TestImage image(64, 32);
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            image.Set(x, y, 280.0 - 0.5 * x);
        }
    }
    return image;
}

TEST(CoolingRate, AKnownRampInEitherOrder) {
    CTempDir dir;
    const CGeoImage older = Written(dir, "old.awx", At(12, 0), TestImage(64, 32, 280.0));
    const CGeoImage newer = Written(dir, "new.awx", At(12, 30), Ramp());
    for (bool swapped : {false, true}) {
        CCoolingMap cooling;
        std::string why;
        ASSERT_TRUE(swapped ? cooling.Make(newer, older, why) : cooling.Make(older, newer, why));
        EXPECT_DOUBLE_EQ(cooling.Hours(), 0.5);
        EXPECT_FLOAT_EQ(cooling.RateAt(0, 5), 0.0f);
        EXPECT_FLOAT_EQ(cooling.RateAt(20, 5), -20.0f);
        EXPECT_FLOAT_EQ(cooling.RateAt(63, 5), -63.0f);
        const CoolingSummary summary = cooling.Summary();
        // Columns 16-63 cool at 16 K/h or faster.
        EXPECT_EQ(summary.fastPixels, 48 * 32);
        EXPECT_FLOAT_EQ(summary.fastestKPerHour, -63.0f);
    }
}

TEST(CoolingRate, OnlyCoolingFromEightKelvinAnHourIsDrawn) {
    std::uint32_t colour = 0;
    EXPECT_FALSE(CoolingColour(4.0f, colour));
    EXPECT_FALSE(CoolingColour(-7.9f, colour));
    ASSERT_TRUE(CoolingColour(-8.0f, colour));
    EXPECT_EQ(colour, CanvasRgb(0, 0, 255));
    ASSERT_TRUE(CoolingColour(-60.0f, colour));
    EXPECT_EQ(colour, CanvasRgb(255, 0, 255));
}

struct RefusedPair {
    const char* name;
    AwxWriterOptions second;
    const char* reason;
};

TEST(CoolingRate, ProductsThatCannotBeComparedAreRefused) {
    CTempDir dir;
    const CGeoImage first = Written(dir, "a.awx", At(12, 0), TestImage(64, 32));
    AwxWriterOptions elsewhere = At(13, 0);
    elsewhere.centerLon = 110.0;
    const RefusedPair cases[] = {
        {"geometry", elsewhere, "投影或范围不同"},
        {"channel", At(13, 0, 2), "通道不同"},
        {"time", At(12, 0), "观测时间相同"},
        {"visible", At(13, 0, 5), "不是红外通道"},
        {"time out of range", At(24, 0), "观测时间不明"},
    };
    for (const RefusedPair& c : cases) {
        const CGeoImage second = Written(dir, "b.awx", c.second, TestImage(64, 32));
        CCoolingMap cooling;
        std::string why;
        EXPECT_FALSE(cooling.Make(first, second, why)) << c.name;
        EXPECT_NE(why.find(c.reason), std::string::npos) << c.name << ": " << why;
        EXPECT_TRUE(cooling.Empty());
    }
}

}  // namespace
