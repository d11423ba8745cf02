// kelvra-cli nwp: header summary, prepared grid and contour lines of a
// diamond file, and the messages for refused files and bad arguments.

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "nwp/NwpTestFiles.h"
#include "support/CliRunner.h"

namespace {

std::vector<std::vector<std::string>> Rows(const std::string& out) {
    std::vector<std::vector<std::string>> rows;
    std::istringstream in(out);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::vector<std::string> row;
        std::string f;
        while (fields >> f) {
            row.push_back(f);
        }
        rows.push_back(row);
    }
    return rows;
}

}  // namespace

TEST(CliNwp, SummaryOfTheHeaderAsRead) {
    CTempDir dir;
    DiamondContent s = GlobalContent();
    s.latStep = 2.5;  // written south to north
    s.firstLat = -90.0;
    s.lastLat = 90.0;
    const CliResult r = RunCli("nwp " + WriteDiamond(dir, "g.000", s));
    ASSERT_EQ(r.status, 0);
    EXPECT_EQ(r.out,
              "datetime: 2022年03月30日20时\nfield: 500hPa高度\nnx: 145\nny: 73\n"
              "south: -90\nnorth: 90\nwest: 0\neast: 357.5\ndlon: 2.5\ndlat: 2.5\n"
              "interval: 40\nfirst: 5000\nlast: 5880\n");
}

TEST(CliNwp, DescriptionWithoutADateShowsTheHeadersTime) {
    CTempDir dir;
    DiamondContent s;
    s.description = "[optimal]-[r24](mm)(2023-04-17_20:00.036:1908)";
    s.year = 2023;
    s.month = 4;
    s.day = 17;
    s.hour = 20;
    s.forecastHours = 36;
    const CliResult r = RunCli("nwp " + WriteDiamond(dir, "r.036", s));
    ASSERT_EQ(r.status, 0);
    EXPECT_EQ(r.out.substr(0, r.out.find("nx:")),
              "datetime: 2023年04月17日20时 +036\n"
              "field: [optimal]-[r24](mm)(2023-04-17_20:00.036:1908)\n");
}

TEST(CliNwp, GridRowsNorthernmostFirst) {
    CTempDir dir;
    DiamondContent s;  // lon + lat: rows fall from north to south
    s.firstLat = 30.0;
    s.lastLat = 40.0;
    s.latStep = 2.5;
    const CliResult r = RunCli("nwp " + WriteDiamond(dir, "s.000", s) + " --grid");
    ASSERT_EQ(r.status, 0);
    const auto rows = Rows(r.out);
    ASSERT_EQ(rows.size(), 5u);
    for (const auto& row : rows) {
        ASSERT_EQ(row.size(), 5u);
        EXPECT_EQ(row[0].substr(row[0].find('.')).size(), 5u);  // "%.4f"
    }
    EXPECT_GT(std::stod(rows.front()[2]), std::stod(rows.back()[2]));
    EXPECT_GT(std::stod(rows.front()[4]), std::stod(rows.front()[0]));
}

TEST(CliNwp, ContourLinesLevelByLevel) {
    CTempDir dir;
    const std::string path = WriteDiamond(dir, "g.000", GlobalContent());
    struct Case {
        std::string options;
        double interval;
    };
    for (const Case& c : {Case{"", 40.0}, Case{" --interval 80", 80.0}}) {
        const CliResult r = RunCli("nwp " + path + " --contours" + c.options);
        ASSERT_EQ(r.status, 0) << c.options;
        const auto rows = Rows(r.out);
        ASSERT_FALSE(rows.empty()) << c.options;
        for (const auto& row : rows) {
            ASSERT_GE(row.size(), 3u);
            const double level = std::stod(row[0]);
            const int count = std::stoi(row[1]);
            EXPECT_EQ(static_cast<int>(row.size()) - 2, std::abs(count));
            EXPECT_GE(level, 5000.0);
            EXPECT_LE(level, 5880.0);
            EXPECT_EQ(std::fmod(level - 5000.0, c.interval), 0.0) << c.options;
            if (count < 0) {
                EXPECT_EQ(row[2], row.back());  // closed lines return to their start
            }
            for (std::size_t k = 2; k < row.size(); ++k) {
                const double lon = std::stod(row[k]);
                const double lat = std::stod(row[k].substr(row[k].find(',') + 1));
                EXPECT_TRUE(lon >= 0.0 && lon <= 360.0 && lat >= -90.0 && lat <= 90.0) << row[k];
            }
        }
    }
}

TEST(CliNwp, GeoJsonIsReadableByAnOutsideParser) {
    if (std::system("/usr/bin/python3 -c 'import json' 2>/dev/null") != 0) {
        GTEST_SKIP() << "/usr/bin/python3 not available";
    }
    CTempDir dir;
    const std::string path = WriteDiamond(dir, "g.000", GlobalContent());
    const std::string json = dir.File("nwp.json");
    ASSERT_EQ(RunCli("nwp " + path + " --contours --geojson > " + json).status, 0);
    const std::string check =
        "/usr/bin/python3 -c \"import json,sys; d=json.load(open(sys.argv[1])); "
        "f=d['features']; assert d['type']=='FeatureCollection' and f; "
        "assert all(x['geometry']['type']=='LineString' and len(x['geometry']['coordinates'])>=2 "
        "and isinstance(x['properties']['closed'], bool) "
        "and 5000<=x['properties']['level']<=5880 for x in f)\" " +
        json;
    EXPECT_EQ(std::system(check.c_str()), 0);
}

TEST(CliNwp, RefusalsSayWhy) {
    CTempDir dir;
    const std::string text = "diamond 3 x 22 3 30 20 0 500" + std::string(120, ' ');
    const std::string type3 = dir.File("t3.000");
    WriteFileBytes(type3, std::vector<std::uint8_t>(text.begin(), text.end()));
    DiamondContent flat;
    flat.ny = 1;
    const std::string oneRow = WriteDiamond(dir, "r1.000", flat);
    struct Case {
        std::string args;
        int status;
        std::string message;
    };
    const Case cases[] = {
        {type3, 1, "kelvra-cli: " + type3 + ": not a diamond file of type 4\n"},
        {oneRow, 1,
         "kelvra-cli: " + oneRow + ": bad grid size (columns and rows must be at least 2)\n"},
        {dir.File("none.000"), 1,
         "kelvra-cli: " + dir.File("none.000") + ": cannot be opened for reading\n"},
    };
    for (const Case& c : cases) {
        const CliResult r = RunCli("nwp " + c.args + " 2>&1");
        EXPECT_EQ(r.status, c.status) << c.args;
        EXPECT_EQ(r.out, c.message) << c.args;
    }
    const std::string good = WriteDiamond(dir, "ok.000", DiamondContent{});
    for (const std::string& bad :
         {std::string(""), good + " --grid --contours", good + " --contours --interval 0",
          good + " --geojson", good + " --interval 4", good + " " + good, good + " --polar"}) {
        EXPECT_EQ(RunCli("nwp " + bad + " 2>/dev/null").status, 2) << bad;
    }
}
