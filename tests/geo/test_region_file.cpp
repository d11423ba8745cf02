#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "geo/RegionFile.h"
#include "support/TestSupport.h"

namespace {

std::vector<std::string> ReadNames(const std::string& text, bool* ok = nullptr) {
    CTempDir dir;
    const std::string path = dir.File("region.txt");
    std::ofstream(path) << text;
    std::vector<std::string> names{"stale"};
    const bool read = ReadRegionNames(path, names);
    if (ok) {
        *ok = read;
    }
    return names;
}

TEST(RegionFileTest, ReadsNamesInOrder) {
    bool ok = false;
    const auto names = ReadNames(
        "REGION 2\n"
        "East 1 100.5 30.0 0.05 1900 1300 27.5 97.5 0\n"
        "\xD6\xD0\xB9\xFA 2 1 2 3 70000 5 6 7 8\n",
        &ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(names, (std::vector<std::string>{"East", "\xD6\xD0\xB9\xFA"}));
    EXPECT_EQ(RegionNameAt(names, 1), "\xD6\xD0\xB9\xFA");
    EXPECT_EQ(RegionNameAt(names, 2), "");
    EXPECT_EQ(RegionNameAt(names, -1), "");
}

TEST(RegionFileTest, StopsAtTheFirstIncompleteRecord) {
    EXPECT_EQ(ReadNames("REGION 3\nA 1 1 1 1 1 1 1 1 1\nB 1 1 1 1 1\n"),
              (std::vector<std::string>{"A"}));
    EXPECT_EQ(ReadNames("REGION 2\nA 1 1 1 1 1 1 1 1 1\nB x 1 1 1 1 1 1 1 1\n"),
              (std::vector<std::string>{"A"}));
    EXPECT_TRUE(ReadNames("REGION 0\nA 1 1 1 1 1 1 1 1 1\n").empty());
    EXPECT_TRUE(ReadNames("REGION\n").empty());
}

TEST(RegionFileTest, RejectsOtherKeywordsAndMissingFiles) {
    bool ok = true;
    EXPECT_TRUE(ReadNames("region 1\nA 1 1 1 1 1 1 1 1 1\n", &ok).empty());
    EXPECT_FALSE(ok);
    std::vector<std::string> names{"stale"};
    EXPECT_FALSE(ReadRegionNames("/nonexistent/region.txt", names));
    EXPECT_TRUE(names.empty());
}

}  // namespace
