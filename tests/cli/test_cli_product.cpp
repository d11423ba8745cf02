// kelvra-cli as a user runs it: synthetic products of every projection code
// written by the synth verb, then read back by info, extent and locate.

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "support/CliRunner.h"
#include "support/TestSupport.h"

namespace {

std::vector<double> Numbers(const std::string& text) {
    std::istringstream in(text);
    std::vector<double> values;
    double v = 0.0;
    while (in >> v) {
        values.push_back(v);
    }
    return values;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        lines.push_back(line);
    }
    return lines;
}

struct ProjectionCase {
    int code;
    const char* options;
};

// One product per projection code; centres and resolutions in the set-up's ranges.
const ProjectionCase kProjections[] = {
    {0, "--size 800x800 --center 105,0 --resolution 5"},
    {1, "--size 640x480 --center 110,30 --resolution 0.05"},
    {2, "--size 640x480 --center 120,20 --resolution 10"},
    {3, "--size 640x480 --center 110,35 --resolution 10 --stdlat 30,60"},
    {4, "--size 640x480 --center 110,60 --resolution 15 --stdlat 60,60"},
    {5, "--size 640x480 --center 105,35 --resolution 10 --stdlat 25,47"},
};

}  // namespace

TEST(CliProduct, HelpAndBadArguments) {
    EXPECT_EQ(RunCli("--help").status, 0);
    EXPECT_EQ(RunCli("").status, 2);
    EXPECT_EQ(RunCli("frobnicate x 2>/dev/null").status, 2);
    EXPECT_EQ(RunCli("info 2>/dev/null").status, 2);
    EXPECT_EQ(RunCli("locate a.awx 1 2>/dev/null").status, 2);
    EXPECT_EQ(RunCli("locate a.awx 1 x 2>/dev/null").status, 2);
}

TEST(CliProduct, UnreadableProductReportsTheDocumentMessage) {
    CTempDir dir;
    const std::string path = dir.File("not-a-product.awx");
    ASSERT_TRUE(WriteFileBytes(path, std::vector<std::uint8_t>(300, 7)));
    for (const char* verb : {"info", "extent"}) {
        CliResult r = RunCli(std::string(verb) + " " + path + " 2>&1");
        EXPECT_EQ(r.status, 1) << verb;
        EXPECT_EQ(r.out, "获取图像文件描述信息失败\n") << verb;
    }
    EXPECT_EQ(RunCli("locate " + path + " 10 10 2>/dev/null").status, 1);
}

TEST(CliProduct, EveryProjectionCodeReadsBackAndLocatesBothWays) {
    CTempDir dir;
    for (const ProjectionCase& c : kProjections) {
        SCOPED_TRACE("projection " + std::to_string(c.code));
        const std::string path = dir.File("p" + std::to_string(c.code) + ".awx");
        ASSERT_EQ(
            RunCli("synth " + path + " --projection " + std::to_string(c.code) + " " + c.options)
                .status,
            0);

        CliResult info = RunCli("info " + path);
        ASSERT_EQ(info.status, 0);
        ASSERT_EQ(Lines(info.out).size(), 17u);
        EXPECT_EQ(Lines(info.out)[0], "文件标识：SEC");

        CliResult extent = RunCli("extent " + path);
        ASSERT_EQ(extent.status, 0);
        ASSERT_EQ(Numbers(extent.out).size(), 4u);

        CliResult located = RunCli("locate " + path + " 320 240");
        if (c.code == 0) {
            // Full-disk images carry no geolocation.
            EXPECT_EQ(located.status, 1);
            EXPECT_EQ(located.out, "");
            continue;
        }
        ASSERT_EQ(located.status, 0);
        std::vector<double> lonLat = Numbers(located.out);
        ASSERT_EQ(lonLat.size(), 2u);
        std::ostringstream back;
        back.precision(9);
        back << "locate " << path << " --lonlat " << lonLat[0] << " " << lonLat[1];
        CliResult pixel = RunCli(back.str());
        ASSERT_EQ(pixel.status, 0);
        std::vector<double> xy = Numbers(pixel.out);
        ASSERT_EQ(xy.size(), 2u);
        EXPECT_NEAR(xy[0], 320.0, 0.05);
        EXPECT_NEAR(xy[1], 240.0, 0.05);
    }
}

TEST(CliProduct, OtherHemisphereOfAConicImageExitsThreeWithOutput) {
    CTempDir dir;
    const std::string path = dir.File("lambert.awx");
    ASSERT_EQ(RunCli("synth " + path +
                     " --projection 3 --size 640x480 --center 110,35 "
                     "--resolution 10 --stdlat 30,60")
                  .status,
              0);
    CliResult r = RunCli("locate " + path + " --lonlat 110 -20");
    EXPECT_EQ(r.status, 3);
    EXPECT_EQ(Numbers(r.out).size(), 2u);
    // Outside -85..85 there is no output at all.
    CliResult none = RunCli("locate " + path + " --lonlat 110 88");
    EXPECT_EQ(none.status, 1);
    EXPECT_EQ(none.out, "");
}

TEST(CliProduct, RealSampleInformationAndExtent) {
    KELVRA_REQUIRE_SAMPLE(sample);
    CliResult info = RunCli("info " + sample);
    ASSERT_EQ(info.status, 0);
    std::vector<std::string> lines = Lines(info.out);
    ASSERT_EQ(lines.size(), 17u);
    EXPECT_EQ(lines[4], "通道号：1");
    EXPECT_EQ(lines[5], "日期时间(UTC)：2022年03月31日 13时00分");
    EXPECT_EQ(lines[6], "北京时间：2022年03月31日 21时00分");
    EXPECT_EQ(lines[7], "投影方式：等经纬度");
    EXPECT_EQ(lines[8], "图像宽度(像素)：1900");
    EXPECT_EQ(lines[9], "图像高度(像素)：1300");
    EXPECT_EQ(lines[13], "纬向分辨率(公里/度)：0.050000");

    CliResult extent = RunCli("extent " + sample);
    ASSERT_EQ(extent.status, 0);
    std::vector<double> e = Numbers(extent.out);
    ASSERT_EQ(e.size(), 4u);
    // 1900 columns at 0.05 degrees around 97.5 E; 1300 rows around 27.5 N.
    EXPECT_NEAR(e[0], 97.5 - 949.5 * 0.05, 1e-3);
    EXPECT_NEAR(e[2], 27.5 - (1300 - 1.1 - 649.5) * 0.05, 1e-3);
    EXPECT_NEAR(e[3], 27.5 + 649.5 * 0.05, 1e-3);
    EXPECT_LT(e[0], e[1]);
}

// Grid products through the verbs that read products: written by synth,
// read back as a picture of the grid's spacing with exact values.
TEST(CliProduct, GridProductsThroughTheReadingVerbs) {
    CTempDir dir;
    const std::string tbb = dir.File("tbb.awx");
    const std::string cloud = dir.File("cloud.awx");
    ASSERT_EQ(RunCli("synth " + tbb +
                     " --grid 19 --size 241x161 --resolution 0.25 --center 105,20 "
                     "--bytes 2 --base 0 --scale 100")
                  .status,
              0);
    ASSERT_EQ(RunCli("synth " + cloud + " --grid 20 --size 241x161 --resolution 0.25").status, 0);

    const std::vector<std::string> info = Lines(RunCli("info " + tbb).out);
    ASSERT_EQ(info.size(), 14u);
    EXPECT_EQ(info[4], "要素：亮温（代码 19）");
    EXPECT_EQ(info[11], "格距(经向×纬向,度)：0.250000×0.250000");

    // The first grid point is the centre of the top-left pixel.
    EXPECT_EQ(Numbers(RunCli("locate " + tbb + " 0 0").out), (std::vector<double>{75.0, 40.0}));
    const std::vector<double> value = Numbers(RunCli("locate " + tbb + " 120 80 --value").out);
    ASSERT_EQ(value.size(), 4u);
    EXPECT_GT(value[3], 150.0);
    EXPECT_LT(value[3], 340.0);
    EXPECT_EQ(RunCli("isotherms " + tbb).status, 0);
    EXPECT_EQ(RunCli("cells " + tbb + " --min-area 0").status, 0);

    // Cloud amount is no temperature: neither isotherms nor cells.
    EXPECT_EQ(RunCli("isotherms " + cloud + " 2>&1").out, "格点产品的要素不是温度,没有等温线\n");
    EXPECT_EQ(RunCli("cells " + cloud + " 2>/dev/null").status, 1);

    // A spacing in km is refused, naming the field.
    std::vector<std::uint8_t> bytes = ReadFileBytes(tbb);
    bytes[40 + 8 + 38] = 1;
    const std::string km = dir.File("km.awx");
    ASSERT_TRUE(WriteFileBytes(km, bytes));
    EXPECT_EQ(RunCli("info " + km + " 2>&1").out,
              "获取图像文件描述信息失败：格距单位 1 不是 0.01 度（只读 0）\n");
}
