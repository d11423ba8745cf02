// kelvra-cli isotherms: text lines and GeoJSON features of the same product.

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "support/CliRunner.h"
#include "support/TestSupport.h"

namespace {

struct TextLine {
    double level = 0.0;
    int count = 0;
    std::vector<std::pair<double, double>> points;
};

std::vector<TextLine> ParseText(const std::string& out) {
    std::vector<TextLine> lines;
    std::istringstream in(out);
    std::string row;
    while (std::getline(in, row)) {
        std::istringstream fields(row);
        TextLine line;
        fields >> line.level >> line.count;
        std::string point;
        while (fields >> point) {
            const auto comma = point.find(',');
            line.points.emplace_back(std::stod(point.substr(0, comma)),
                                     std::stod(point.substr(comma + 1)));
        }
        lines.push_back(line);
    }
    return lines;
}

}  // namespace

TEST(CliIsotherms, TextLinesMatchTheirCountsAndClosedLinesReturn) {
    CTempDir dir;
    const std::string path = dir.File("ir1.awx");
    ASSERT_EQ(RunCli("synth " + path + " --size 480x360").status, 0);
    CliResult r = RunCli("isotherms " + path);
    ASSERT_EQ(r.status, 0);
    const std::vector<TextLine> lines = ParseText(r.out);
    ASSERT_FALSE(lines.empty());
    for (const TextLine& line : lines) {
        EXPECT_EQ(static_cast<int>(line.points.size()), std::abs(line.count));
        EXPECT_GE(line.level, 180.0);
        EXPECT_LE(line.level, 300.0);
        EXPECT_EQ(static_cast<int>(line.level - 180.0) % 12, 0);
        if (line.count < 0) {
            EXPECT_EQ(line.points.front(), line.points.back());
        }
        for (const auto& [x, y] : line.points) {
            EXPECT_GE(x, 0.0);
            EXPECT_LE(x, 480.0);
            EXPECT_GE(y, 0.0);
            EXPECT_LE(y, 360.0);
        }
    }
}

TEST(CliIsotherms, GeoJsonIsReadableByAnOutsideParser) {
    if (std::system("/usr/bin/python3 -c 'import json' 2>/dev/null") != 0) {
        GTEST_SKIP() << "/usr/bin/python3 not available";
    }
    CTempDir dir;
    const std::string path = dir.File("ir1.awx");
    ASSERT_EQ(RunCli("synth " + path + " --size 480x360").status, 0);
    const std::string json = dir.File("iso.json");
    ASSERT_EQ(RunCli("isotherms " + path + " --geojson > " + json).status, 0);
    // Every feature is a LineString of at least two positions inside the
    // product's extent, with a level and a closed flag.
    const std::string check =
        "/usr/bin/python3 -c \"import json,sys; d=json.load(open(sys.argv[1])); "
        "f=d['features']; assert d['type']=='FeatureCollection' and f; "
        "assert all(x['geometry']['type']=='LineString' and len(x['geometry']['coordinates'])>=2 "
        "and isinstance(x['properties']['closed'], bool) and 180<=x['properties']['level']<=300 "
        "for x in f); "
        "assert all(80<lon<115 and 18<lat<37 for x in f for lon,lat in "
        "x['geometry']['coordinates'])\" " +
        json;
    EXPECT_EQ(std::system(check.c_str()), 0);
}

TEST(CliIsotherms, UnreadableProduct) {
    CTempDir dir;
    const std::string path = dir.File("x.awx");
    ASSERT_TRUE(WriteFileBytes(path, std::vector<std::uint8_t>(200, 1)));
    CliResult r = RunCli("isotherms " + path + " 2>&1");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "获取图像文件描述信息失败\n");
    EXPECT_EQ(RunCli("isotherms 2>/dev/null").status, 2);
}
