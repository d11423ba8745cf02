#include <gtest/gtest.h>

#include <string>

#include "geo/OverlayTestSupport.h"
#include "platform/DataPaths.h"
#include "product/CGeoImage.h"
#include "support/CRecordingCanvas.h"
#include "support/ProductSupport.h"

// The product draws its geographic overlays and its title only while it is
// loaded, and the map lines and grid only when it is geolocated.

namespace {

ProductDescription TitleDescription(int channel) {
    ProductDescription d;
    d.satelliteName = "S1";
    d.channel = static_cast<std::uint16_t>(channel);
    d.year = 2005;
    d.month = 7;
    d.day = 26;
    d.hour = 8;
    d.minute = 30;
    return d;
}

TEST(TitleTest, TextOfTheWorkedExample) {
    const CGeoImage product = MakeProduct(LinearParams(), TitleDescription(1));
    EXPECT_EQ(product.TitleText("R1"), "S1 R1 2005年07月26日08时30分 红外一");
}

TEST(TitleTest, ChannelNames) {
    const std::pair<int, const char*> cases[] = {
        {0, "红外一"}, {1, "红外一"}, {2, "红外二"}, {3, "水汽"},
        {4, "红外三"}, {5, "可见光"}, {7, "红外一"},
    };
    for (const auto& [channel, name] : cases) {
        const CGeoImage product = MakeProduct(LinearParams(), TitleDescription(channel));
        EXPECT_EQ(product.TitleText("R1"), std::string("S1 R1 2005年07月26日08时30分 ") + name)
            << channel;
    }
}

TEST(TitleTest, EmptyRegionNameIsLeftOutWithItsBlank) {
    const CGeoImage product = MakeProduct(LinearParams(), TitleDescription(2));
    EXPECT_EQ(product.TitleText(""), "S1 2005年07月26日08时30分 红外二");
}

TEST(TitleTest, GbkNamesAreShownAsUtf8) {
    ProductDescription d = TitleDescription(3);
    d.satelliteName = std::string(
        "\xB7\xE7\xD4\xC6"
        "2G\0\0",
        8);  // 风云2G, NUL-padded
    const CGeoImage product = MakeProduct(LinearParams(), d);
    EXPECT_EQ(product.TitleText("\xD6\xD0\xB9\xFA"), "风云2G 中国 2005年07月26日08时30分 水汽");
}

TEST(TitleTest, DrawsAtSixSixWithItsFontAndColourAndRestores) {
    CRecordingCanvas canvas(200, 100);
    canvas.SetTextColor(CanvasRgb(1, 1, 1));
    const CGeoImage product = MakeProduct(LinearParams(), TitleDescription(1));
    EXPECT_EQ(product.DrawTitle(canvas, "R1"), 1);
    const auto texts = canvas.CallsOf(CanvasOp::TextOut);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].x, 6);
    EXPECT_EQ(texts[0].y, 6);
    EXPECT_EQ(texts[0].text, "S1 R1 2005年07月26日08时30分 红外一");
    EXPECT_EQ(texts[0].font, (CanvasFont{16, 600, 0, "Arial"}));
    EXPECT_EQ(texts[0].value, CanvasRgb(232, 64, 64));
    EXPECT_EQ(canvas.TextColor(), CanvasRgb(1, 1, 1));
    EXPECT_EQ(canvas.Font(), CanvasFont{});
    EXPECT_EQ(canvas.BkMode(), kBackgroundOpaque);
}

TEST(TitleTest, TransparentWhileWriting) {
    CRecordingCanvas canvas(200, 100);
    MakeProduct(LinearParams(), TitleDescription(1)).DrawTitle(canvas, "R1");
    int mode = kBackgroundOpaque;
    for (const CanvasCall& call : canvas.Calls()) {
        if (call.op == CanvasOp::SetBkMode) {
            mode = static_cast<int>(call.value);
        } else if (call.op == CanvasOp::TextOut) {
            EXPECT_EQ(mode, kBackgroundTransparent);
        }
    }
}

TEST(TitleTest, NothingWithoutAProduct) {
    CRecordingCanvas canvas(200, 100);
    CGeoImage product = MakeProduct(LinearParams(), TitleDescription(1));
    product.productLoaded = 0;
    EXPECT_EQ(product.DrawTitle(canvas, "R1"), 0);
    EXPECT_TRUE(canvas.Calls().empty());
}

TEST(TitleTest, DiskProductsKeepTheirTitle) {
    // The title uses no geolocation, so a full-disk image is still named.
    ProjectionParams disk = LinearParams();
    disk.type = Disk;
    CRecordingCanvas canvas(200, 100);
    EXPECT_EQ(MakeProduct(disk, TitleDescription(1)).DrawTitle(canvas, "R1"), 1);
    EXPECT_EQ(canvas.CallsOf(CanvasOp::TextOut).size(), 1u);
}

TEST(GeoImageOverlaysTest, NothingHappensWithoutAGeolocatedProduct) {
    CTempDataDir data;
    std::vector<std::uint8_t> bytes;
    AppendRecord(bytes, 4, {{2000, 9100}, {1800, 9500}});
    ASSERT_TRUE(data.Write("WORLD.LNB", bytes));
    const CDataPaths paths(data.Start());

    CGeoImage unloaded = MakeProduct(LinearParams());
    unloaded.productLoaded = 0;
    ProjectionParams disk = LinearParams();
    disk.type = Disk;
    for (const CGeoImage& product : {unloaded, MakeProduct(disk)}) {
        CRecordingCanvas canvas(200, 100);
        product.DrawWorldMap(canvas, paths);
        product.DrawChinaMap(canvas, paths);
        product.DrawProvinces(canvas, paths);
        product.DrawRivers(canvas, paths);
        product.DrawGrid(canvas);
        EXPECT_TRUE(canvas.Calls().empty());  // not even a pen: nothing was prepared
    }
}

}  // namespace
