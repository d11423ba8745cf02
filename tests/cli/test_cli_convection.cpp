// kelvra-cli cells and trend as a forecaster runs them: cells of a product,
// tracks through a loop, the cooling summary, the picture, and refusals.

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "geo/Projection.h"
#include "image/CDibImage.h"
#include "support/CliRunner.h"
#include "support/ConvectionProducts.h"
#include "support/TestSupport.h"

namespace {

// A 400 x 300 infrared product at 0.05 degree around 105E 30N with a cold
// disc of 150 km at (discLon, 30N), observed at hour:00.
std::string DiscProduct(const CTempDir& dir, const std::string& name, double discLon, int hour,
                        int channel = 1, int projection = EqualLatLon) {
    AwxWriterOptions options;
    options.width = 400;
    options.height = 300;
    options.centerLon = 105.0;
    options.centerLat = 30.0;
    options.resolution = projection == EqualLatLon ? 0.05 : 5.0;
    options.hour = hour;
    options.channel = channel;
    options.projection = projection;
    ProjectionParams params;
    SetUpProjection(EqualLatLon, 105.0, 30.0, 0.05, 400, 300, 30.0, 60.0, params);
    TestImage image(400, 300);
    PaintDisc(image, params, discLon, 30.0, 150.0, 200.0);
    const std::string path = dir.File(name);
    EXPECT_TRUE(WriteTestProduct(path, options, image));
    return path;
}

std::vector<std::vector<std::string>> Fields(const std::string& out) {
    std::vector<std::vector<std::string>> rows;
    std::istringstream in(out);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        std::vector<std::string> row;
        std::string word;
        while (words >> word) {
            row.push_back(word);
        }
        rows.push_back(row);
    }
    return rows;
}

TEST(CliConvection, CellsOfAProductAsTextAndGeoJson) {
    CTempDir dir;
    const std::string product = DiscProduct(dir, "a.awx", 104.0, 12);
    const CliResult text = RunCli("cells " + product);
    ASSERT_EQ(text.status, 0);
    const auto rows = Fields(text.out);
    ASSERT_EQ(rows.size(), 1u);
    ASSERT_EQ(rows[0].size(), 7u);
    EXPECT_EQ(rows[0][0], "1");
    EXPECT_NEAR(std::stod(rows[0][1]), SphericalCapKm2(150.0), 0.01 * SphericalCapKm2(150.0));
    EXPECT_EQ(rows[0][2], "200.00");
    EXPECT_NEAR(std::stod(rows[0][4]), 104.0, 0.05);
    EXPECT_NEAR(std::stod(rows[0][5]), 30.0, 0.05);

    const CliResult geo = RunCli("cells " + product + " --geojson");
    ASSERT_EQ(geo.status, 0);
    EXPECT_NE(geo.out.find("\"type\":\"FeatureCollection\""), std::string::npos);
    EXPECT_NE(geo.out.find("\"type\":\"Polygon\""), std::string::npos);
    EXPECT_NE(geo.out.find("\"min_k\":200.00"), std::string::npos);

    // Above the disc's size nothing is left.
    EXPECT_EQ(RunCli("cells " + product + " --min-area 100000").out, "");
}

TEST(CliConvection, TracksThroughProductsGivenInAnyOrder) {
    CTempDir dir;
    // 0.5 degree east an hour at 30N: about 48 km/h towards 90 degrees.
    const std::string a = DiscProduct(dir, "a.awx", 104.0, 12);
    const std::string b = DiscProduct(dir, "b.awx", 104.5, 13);
    const CliResult result = RunCli("cells " + b + " " + a + " --track");
    ASSERT_EQ(result.status, 0);
    const auto rows = Fields(result.out);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0][0], "1");
    EXPECT_EQ(rows[0][6], "-");
    EXPECT_EQ(rows[1][0], "2");
    EXPECT_EQ(rows[1][1], "1");
    EXPECT_NEAR(std::stod(rows[1][6]), TestGreatCircleKm(104.0, 30.0, 104.5, 30.0), 1.0);
    EXPECT_NEAR(std::stod(rows[1][7]), 90.0, 1.0);
}

TEST(CliConvection, CoolingSummaryAndPicture) {
    CTempDir dir;
    const std::string a = DiscProduct(dir, "a.awx", 300.0, 12);  // no disc: all warm
    const std::string b = DiscProduct(dir, "b.awx", 104.0, 13);
    const CliResult summary = RunCli("trend " + a + " " + b + " --summary");
    ASSERT_EQ(summary.status, 0);
    // 290 K to 200 K in an hour, on every disc pixel.
    const auto rows = Fields(summary.out);
    ASSERT_EQ(rows.size(), 1u);
    ASSERT_EQ(rows[0].size(), 4u);
    EXPECT_EQ(rows[0][0], "cooling");
    EXPECT_GT(std::stoi(rows[0][1]), 2000);
    EXPECT_EQ(rows[0][3], "-90.00");

    // A build without the render layer has no pictures to draw into.
    const bool drawing = RunCli("render 2>&1").out.find("unknown verb") == std::string::npos;
    const std::string picture = dir.File("trend.bmp");
    ASSERT_EQ(RunCli("trend " + a + " " + b + " -o " + picture + " 2>/dev/null").status,
              drawing ? 0 : 1);
    if (!drawing) {
        return;
    }
    // render's picture of the newer product, title included, wherever the
    // disc (about 30 pixels round (180, 150)) did not cool.
    const std::string rendered = dir.File("render.bmp");
    ASSERT_EQ(RunCli("render " + b + " -o " + rendered + " 2>/dev/null").status, 0);
    CDibImage withCooling;
    CDibImage plain;
    ASSERT_TRUE(withCooling.Load(picture));
    ASSERT_TRUE(plain.Load(rendered));
    int outside = 0;
    int inside = 0;
    for (int y = 0; y < 300; ++y) {
        for (int x = 0; x < 400; ++x) {
            std::uint32_t p = 0;
            std::uint32_t q = 0;
            ASSERT_TRUE(withCooling.GetPixel(x, y, p) && plain.GetPixel(x, y, q));
            const bool nearDisc = std::abs(x - 180) < 40 && std::abs(y - 150) < 40;
            (nearDisc ? inside : outside) += p != q;
        }
    }
    EXPECT_EQ(outside, 0);
    EXPECT_GT(inside, 1000);
}

TEST(CliConvection, RefusalsSayWhyAndFail) {
    CTempDir dir;
    const std::string ir = DiscProduct(dir, "ir.awx", 104.0, 12);
    const std::string visible = DiscProduct(dir, "vis.awx", 104.0, 12, 5);
    const std::string disk = DiscProduct(dir, "disk.awx", 104.0, 12, 1, Disk);
    const std::string ir2 = DiscProduct(dir, "ir2.awx", 104.0, 13, 2);
    const std::string same = DiscProduct(dir, "same.awx", 104.0, 12);
    const struct {
        std::string args;
        const char* says;
    } cases[] = {
        {"cells " + visible, "不是红外通道"},
        {"cells " + disk, "圆盘图"},
        {"cells " + ir + " " + disk + " --track", "圆盘图"},
        {"trend " + ir + " " + ir2 + " --summary", "通道不同"},
        {"trend " + ir + " " + same + " --summary", "观测时间相同"},
        {"trend " + ir + " " + disk + " --summary", "投影或范围不同"},
    };
    for (const auto& c : cases) {
        const CliResult result = RunCli(c.args + " 2>&1");
        EXPECT_EQ(result.status, 1) << c.args;
        EXPECT_NE(result.out.find(c.says), std::string::npos) << c.args << ": " << result.out;
    }
}

}  // namespace
