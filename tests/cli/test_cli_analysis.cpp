// kelvra-cli series and stats as a forecaster runs them: a point's values
// through a loop checked against locate --value of each product, and the
// statistics of boxes, with the boxes refused and the reasons given.

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "geo/Projection.h"
#include "support/CliRunner.h"
#include "support/ConvectionProducts.h"
#include "support/TestSupport.h"

namespace {

// A 400 x 300 infrared product at 0.05 degree around 105E 30N (a full disk
// of the same size for Disk) with a cold disc of 150 km at (discLon, 30N),
// observed at hour:00.
std::string DiscProduct(const CTempDir& dir, const std::string& name, double discLon, int hour,
                        int projection = EqualLatLon) {
    AwxWriterOptions options;
    options.centerLon = 105.0;
    options.centerLat = 30.0;
    options.resolution = projection == EqualLatLon ? 0.05 : 5.0;
    options.hour = hour;
    options.projection = projection;
    ProjectionParams params;
    SetUpProjection(EqualLatLon, 105.0, 30.0, 0.05, 400, 300, 30.0, 60.0, params);
    TestImage image(400, 300);
    PaintDisc(image, params, discLon, 30.0, 150.0, 200.0);
    const std::string path = dir.File(name);
    EXPECT_TRUE(WriteTestProduct(path, options, image));
    return path;
}

std::vector<std::string> Lines(const std::string& out) {
    std::vector<std::string> lines;
    std::istringstream in(out);
    std::string line;
    while (std::getline(in, line)) {
        lines.push_back(line);
    }
    return lines;
}

std::vector<std::string> Words(const std::string& line) {
    std::vector<std::string> words;
    std::istringstream in(line);
    std::string word;
    while (in >> word) {
        words.push_back(word);
    }
    return words;
}

// The value locate --value gives at the pixel nearest to lon, lat; "-" off
// the product.
std::string LocatedValue(const std::string& product, double lon, double lat) {
    std::ostringstream where;
    where << "locate " << product << " --lonlat " << lon << ' ' << lat;
    const std::vector<std::string> xy = Words(RunCli(where.str()).out);
    if (xy.size() != 2) {
        return "-";
    }
    const long x = std::lround(std::stod(xy[0]));
    const long y = std::lround(std::stod(xy[1]));
    if (x < 0 || y < 0 || x >= 400 || y >= 300) {
        return "-";
    }
    const std::vector<std::string> located = Words(
        RunCli("locate " + product + " " + std::to_string(x) + " " + std::to_string(y) + " --value")
            .out);
    return located.size() == 4 ? located[3] : "?";
}

TEST(CliAnalysis, SeriesFollowsLocateThroughTheLoopInTimeOrder) {
    CTempDir dir;
    // Given out of time order; the disc passes over 104E from the west.
    const std::string late = DiscProduct(dir, "c.awx", 105.0, 14);
    const std::string early = DiscProduct(dir, "a.awx", 103.0, 12);
    const std::string middle = DiscProduct(dir, "b.awx", 104.0, 13);
    const std::string disk = DiscProduct(dir, "d.awx", 104.0, 15, Disk);
    const std::string files = late + " " + early + " " + middle + " " + disk;
    const struct {
        double lon;
        double lat;
    } points[] = {
        {104.0, 30.0},
        // Column 190.7 of the first frame: the nearest pixel, 191, is off the
        // disc whose edge passes between 190 and 191.
        {104.56, 30.01},
        {102.3, 31.1},
        {114.92, 22.56},
        {150.0, 30.0},
    };
    for (const auto& p : points) {
        std::ostringstream args;
        args << "series " << files << " --lonlat " << p.lon << ' ' << p.lat;
        const CliResult result = RunCli(args.str());
        ASSERT_EQ(result.status, 0) << args.str();
        const std::vector<std::string> lines = Lines(result.out);
        ASSERT_EQ(lines.size(), 4u) << result.out;
        const std::string expected[] = {LocatedValue(early, p.lon, p.lat),
                                        LocatedValue(middle, p.lon, p.lat),
                                        LocatedValue(late, p.lon, p.lat), "-"};
        const char* times[] = {"T12:00Z", "T13:00Z", "T14:00Z", "T15:00Z"};
        for (std::size_t i = 0; i < 4; ++i) {
            const std::vector<std::string> words = Words(lines[i]);
            ASSERT_EQ(words.size(), 2u) << lines[i];
            EXPECT_NE(words[0].find(times[i]), std::string::npos) << lines[i];
            EXPECT_EQ(words[1], expected[i]) << args.str() << " frame " << i;
        }
    }
    const CliResult csv = RunCli("series " + early + " " + disk + " --lonlat 104 30 --csv");
    EXPECT_EQ(csv.status, 0);
    const std::vector<std::string> lines = Lines(csv.out);
    ASSERT_EQ(lines.size(), 3u) << csv.out;
    EXPECT_EQ(lines[0], "time,value");
    EXPECT_EQ(lines[1].find(','), lines[1].size() - 7) << lines[1];  // ",200.00"
    EXPECT_EQ(lines[2].back(), ',') << "a gap is an empty field";
}

std::string StatValue(const std::string& out, const std::string& key) {
    for (const std::string& line : Lines(out)) {
        const std::vector<std::string> words = Words(line);
        if (words.size() == 2 && words[0] == key) {
            return words[1];
        }
    }
    return "";
}

TEST(CliAnalysis, StatsOfBoxesAndTheColdDisc) {
    CTempDir dir;
    const std::string product = DiscProduct(dir, "a.awx", 104.0, 12);
    const std::string disk = DiscProduct(dir, "d.awx", 104.0, 12, Disk);

    const CliResult whole = RunCli("stats " + product);
    ASSERT_EQ(whole.status, 0) << whole.out;
    EXPECT_EQ(StatValue(whole.out, "pixels"), "120000");
    EXPECT_EQ(StatValue(whole.out, "min"), "200.00");
    EXPECT_EQ(StatValue(whole.out, "max"), "290.00");
    // The disc is all that is colder than -52 °C: a spherical cap of 150 km.
    const double cap = SphericalCapKm2(150.0);
    EXPECT_NEAR(std::stod(StatValue(whole.out, "below_-52C_km2")), cap, 0.03 * cap);
    EXPECT_EQ(StatValue(whole.out, "below_-32C_km2"), StatValue(whole.out, "below_-52C_km2"));

    const CliResult clipped = RunCli("stats " + product + " --box 390,290,500,500 --cold -10,-60");
    ASSERT_EQ(clipped.status, 0) << clipped.out;
    EXPECT_EQ(StatValue(clipped.out, "box"), "390,290,399,299");
    EXPECT_EQ(StatValue(clipped.out, "pixels"), "100");
    EXPECT_EQ(StatValue(clipped.out, "mean"), "290.00");
    EXPECT_EQ(StatValue(clipped.out, "below_-60C_pixels"), "0");

    // 103E..105E, 29N..31N holds the disc's centre: the coldest value.
    const CliResult lonLat = RunCli("stats " + product + " --lonlat-box 103,105,29,31");
    ASSERT_EQ(lonLat.status, 0) << lonLat.out;
    EXPECT_EQ(StatValue(lonLat.out, "min"), "200.00");

    const CliResult onDisk = RunCli("stats " + disk + " --box 0,0,9,9");
    ASSERT_EQ(onDisk.status, 0) << onDisk.out;
    EXPECT_EQ(StatValue(onDisk.out, "pixels"), "100");
    EXPECT_EQ(StatValue(onDisk.out, "area_km2"), "-") << "a full disk has no pixel areas";

    const struct {
        std::string arguments;
        int status;
        const char* reason;
    } refusals[] = {
        {"stats " + product + " --box 500,500,600,600", 1, "完全在图像之外"},
        {"stats " + product + " --lonlat-box 10,20,0,10", 1, "完全在图像之外"},
        {"stats " + disk + " --lonlat-box 103,105,29,31", 1, "全圆盘"},
        {"stats " + product + " --box 1,2,3", 2, "four numbers"},
        {"stats " + product + " --box 1.5,2,3,4", 2, "whole pixel"},
        {"stats " + product + " --box 1,2,3,4 --lonlat-box 1,2,3,4", 2, "exclude"},
    };
    for (const auto& r : refusals) {
        const CliResult result = RunCli(r.arguments + " 2>&1");
        EXPECT_EQ(result.status, r.status) << r.arguments;
        EXPECT_NE(result.out.find(r.reason), std::string::npos) << r.arguments << result.out;
    }
}

}  // namespace
