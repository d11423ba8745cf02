// The catalogue's cache of headers: a header is read once per version of its
// file and again exactly when the file's size or time changed; a file shorter
// than its header declares (still being written) is not listed but reported;
// the latest products are found reading from the newest time the names carry.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "BrowseTestFiles.h"
#include "browse/CCatalogue.h"

namespace {

namespace fs = std::filesystem;

std::vector<std::uint8_t> SmallProduct(int channel) {
    AwxWriterOptions options;
    options.width = 16;
    options.height = 8;
    options.calibration = false;
    options.channel = channel;
    return MakeAwxProduct(options);
}

void KeepTime(const std::string& path, const std::function<void()>& change) {
    const auto time = fs::last_write_time(path);
    change();
    fs::last_write_time(path, time);
}

struct Change {
    const char* name;
    std::function<void(const std::string& path)> apply;
    int reads;  // headers read by the second listing
    bool listed;
    bool incomplete;
};

const Change kChanges[] = {
    {"Untouched", [](const std::string&) {}, 0, true, false},
    {"OtherChannelSameSizeNewTime",
     [](const std::string& p) {
         const auto time = fs::last_write_time(p);
         WriteBytesToPath(p, SmallProduct(3));
         fs::last_write_time(p, time + std::chrono::seconds(5));
     },
     1, false, false},
    {"LongerSameTime",
     [](const std::string& p) {
         KeepTime(p, [&p] {
             std::vector<std::uint8_t> bytes = SmallProduct(1);
             bytes.resize(bytes.size() + 16, 0);
             WriteBytesToPath(p, bytes);
         });
     },
     1, true, false},
    {"HalfWritten",
     [](const std::string& p) {
         std::vector<std::uint8_t> bytes = SmallProduct(1);
         bytes.resize(bytes.size() / 2);
         WriteBytesToPath(p, bytes);
     },
     1, false, true},
    {"HeadersNotYetWritten",
     [](const std::string& p) {
         std::vector<std::uint8_t> bytes = SmallProduct(1);
         bytes.resize(kAwxFirstHeaderSize + 10);
         WriteBytesToPath(p, bytes);
     },
     1, false, true},
    {"Removed", [](const std::string& p) { fs::remove(p); }, 0, false, false},
};

TEST(CatalogueCacheTest, HeadersAreReadAgainExactlyWhenTheFileChanged) {
    for (const Change& change : kChanges) {
        SCOPED_TRACE(change.name);
        CTempDir dir;
        const std::string path = dir.File("A_LCN.AWX");
        WriteBytesToPath(path, SmallProduct(1));
        CCatalogue catalogue;
        const CatalogueQuery query = FolderQuery(dir.Path(), "LCN", 1);
        ASSERT_EQ(catalogue.List(query).rows.size(), 1U);
        const int readsBefore = catalogue.Headers().Reads();

        change.apply(path);
        const CatalogueList list = catalogue.List(query);
        EXPECT_EQ(catalogue.Headers().Reads() - readsBefore, change.reads);
        EXPECT_EQ(list.rows.size(), change.listed ? 1U : 0U);
        EXPECT_EQ(list.incomplete,
                  change.incomplete ? std::vector<std::string>{path} : std::vector<std::string>{});
    }
}

// Twenty hours, infrared-1 and water vapour in turn: their names sort the
// channels apart, but the three latest infrared products are found after six
// headers, counted from the newest time the names carry.
TEST(CatalogueCacheTest, LatestReadsFromTheNewestTimeOnlyUntilEnoughAreFound) {
    CTempDir dir;
    std::vector<std::string> infrared;
    for (int hour = 0; hour < 20; ++hour) {
        const bool ir1 = hour % 2 == 0;
        char name[40];
        std::snprintf(name, sizeof name, "FY2G_LCN_%s_20220331%02d00.AWX", ir1 ? "IR1" : "WV",
                      hour);
        WriteBytesToPath(dir.File(name), SmallProduct(ir1 ? 1 : 3));
        if (ir1) {
            infrared.push_back(dir.File(name));
        }
    }
    CCatalogue catalogue;
    const CatalogueQuery query = FolderQuery(dir.Path(), "LCN", 1);
    std::vector<std::string> latest;
    for (const CatalogueRow& row : catalogue.ListLatest(query, 3).rows) {
        latest.push_back(row.path);
    }
    EXPECT_EQ(latest, std::vector<std::string>(infrared.end() - 3, infrared.end()));
    EXPECT_EQ(catalogue.Headers().Reads(), 6);

    EXPECT_EQ(catalogue.List(query).rows.size(), infrared.size());
    EXPECT_EQ(catalogue.Headers().Reads(), 20);
    EXPECT_EQ(catalogue.List(query).rows.size(), infrared.size());
    EXPECT_EQ(catalogue.Headers().Reads(), 20);
}

TEST(CatalogueCacheTest, NamesCarryTheirTime) {
    const struct {
        const char* path;
        std::uint64_t key;
    } rows[] = {
        {"FY2G_LCN_IR1_202203311500.AWX", 202203311500},
        {"ANI_IR1_R04_20220331_2100_FY2G.AWX", 202203312100},
        {"a/FY2G_20220331150030.AWX", 202203311500},
        {"X_20220331.AWX", 202203310000},
        {"X_20220331_21.AWX", 202203310000},
        {"FY2G_LCN_IR1_0030.AWX", 0},
        {"d_20990101/P_LCN.AWX", 0},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(NameTimeKey(row.path), row.key) << row.path;
    }
}

}  // namespace
