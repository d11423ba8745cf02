// The status-bar read-out of one pixel: where it lies for every projection,
// its count and its calibrated value in the unit of the channel.

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "product/CGeoImage.h"
#include "product/PixelReadout.h"
#include "support/TestSupport.h"
#include "support/UniformProduct.h"

namespace {

struct ReadoutCase {
    const char* name;
    int projection;
    int channel;
    double centerLon;
    double centerLat;
    double resolution;
    double stdLat1;
    double stdLat2;
    double value;  // the calibrated value of every pixel
    int x;
    int y;
    std::optional<int> count;
    const char* text;
};

// Pixel (50, 40) of these products lies on the centre latitude and half a
// pixel east of the centre longitude; the values are the ones "kelvra-cli
// locate" gives, away from any rounding edge.
constexpr int kWidth = 101;
constexpr int kHeight = 81;
constexpr int kCount = 200;

const ReadoutCase kCases[] = {
    {"equal latitude/longitude", 1, 1, 97.5, 27.5, 0.04, 0, 0, 263.0, 50, 40, kCount,
     "像素 (50, 40)  经度 97.52°E  纬度 27.50°N  计数 200  亮温 263.0 K (-10.1 °C)"},
    {"western and southern hemispheres", 1, 2, -60.0, -30.0, 0.1, 0, 0, 300.5, 50, 40, kCount,
     "像素 (50, 40)  经度 59.95°W  纬度 30.00°S  计数 200  亮温 300.5 K (27.4 °C)"},
    {"Mercator", 2, 1, 110.0, 20.0, 5.0, 0, 0, 263.0, 50, 40, kCount,
     "像素 (50, 40)  经度 110.02°E  纬度 20.00°N  计数 200  亮温 263.0 K (-10.1 °C)"},
    {"Lambert", 3, 4, 110.0, 35.0, 4.0, 30, 60, 220.0, 50, 40, kCount,
     "像素 (50, 40)  经度 110.02°E  纬度 35.00°N  计数 200  亮温 220.0 K (-53.1 °C)"},
    {"polar stereographic", 4, 1, 100.0, 60.0, 10.0, 60, 60, 263.0, 50, 40, kCount,
     "像素 (50, 40)  经度 100.09°E  纬度 60.00°N  计数 200  亮温 263.0 K (-10.1 °C)"},
    {"Albers", 5, 1, 105.0, 35.0, 5.0, 25, 47, 263.0, 50, 40, kCount,
     "像素 (50, 40)  经度 105.03°E  纬度 35.00°N  计数 200  亮温 263.0 K (-10.1 °C)"},
    {"water vapour, top-left pixel", 1, 3, 97.5, 27.5, 0.04, 0, 0, 235.25, 0, 0, kCount,
     "像素 (0, 0)  经度 95.52°E  纬度 29.10°N  计数 200  亮温 235.2 K (-37.9 °C)"},
    {"visible: albedo", 1, 5, 97.5, 27.5, 0.04, 0, 0, 45.5, 50, 40, kCount,
     "像素 (50, 40)  经度 97.52°E  纬度 27.50°N  计数 200  反照率 45.5%"},
    {"full disk: no geolocation", 0, 1, 104.5, 0.0, 5.0, 0, 0, 263.0, 50, 40, kCount,
     "像素 (50, 40)  计数 200  亮温 263.0 K (-10.1 °C)"},
    {"outside the image: the position only", 1, 1, 97.5, 27.5, 0.04, 0, 0, 263.0, kWidth, 40,
     std::nullopt, "像素 (101, 40)"},
    {"above the image", 1, 1, 97.5, 27.5, 0.04, 0, 0, 263.0, 3, -1, std::nullopt, "像素 (3, -1)"},
};

TEST(PixelReadout, TextOfOnePixel) {
    CTempDir dir;
    for (const ReadoutCase& c : kCases) {
        AwxWriterOptions options;
        options.projection = c.projection;
        options.channel = c.channel;
        options.width = kWidth;
        options.height = kHeight;
        options.centerLon = c.centerLon;
        options.centerLat = c.centerLat;
        options.resolution = c.resolution;
        options.stdLat1 = c.stdLat1;
        options.stdLat2 = c.stdLat2;
        const std::string path = dir.File("p.awx");
        ASSERT_TRUE(WriteBytesToPath(path, UniformProduct(options, kCount, c.value))) << c.name;
        CGeoImage product;
        ASSERT_TRUE(product.ReadProduct(path)) << c.name;
        EXPECT_EQ(PixelReadoutText(product, c.x, c.y, c.count), c.text) << c.name;
    }
}

// A plain picture has no product: position and count.
TEST(PixelReadout, PictureWithoutProduct) {
    const CGeoImage none;
    EXPECT_EQ(PixelReadoutText(none, 3, 4, 17), "像素 (3, 4)  计数 17");
    EXPECT_EQ(PixelReadoutText(none, 3, 4, std::nullopt), "像素 (3, 4)");
}

}  // namespace
