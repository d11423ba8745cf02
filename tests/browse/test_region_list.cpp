#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "browse/RegionList.h"
#include "platform/Message.h"
#include "support/TestSupport.h"

namespace {

struct RegionRead {
    bool ok = false;
    std::vector<RegionRecord> records;
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const RegionRecord& r : records) {
            names.push_back(r.name);
        }
        return names;
    }
};

RegionRead ReadText(const std::string& text) {
    CTempDir dir;
    std::ofstream(dir.File("region.txt"), std::ios::binary) << text;
    RegionRead read;
    read.records.resize(2);  // stale contents must go
    read.ok = ReadRegionRecords(dir.File("region.txt"), read.records);
    return read;
}

TEST(RegionListTest, ReadsEveryFieldOfEachRecord) {
    const RegionRead read = ReadText(
        "REGION 3\r\n"
        "East 1 100.5 30.0 0.05 1900 70000 27.5 97.5 -4\r\n"
        "West\t2 +1 2e1 3\n-1 5 6 7 8\n"
        "North 3 1 2 3 4 5 6 7 8\n");
    EXPECT_TRUE(read.ok);
    ASSERT_EQ(read.Names(), (std::vector<std::string>{"East", "West", "North"}));
    const RegionRecord& east = read.records[0];
    EXPECT_EQ(east.number1, 1);
    EXPECT_FLOAT_EQ(east.real1, 100.5F);
    EXPECT_FLOAT_EQ(east.real3, 0.05F);
    EXPECT_EQ(east.short1, 1900);
    EXPECT_EQ(east.short2, 4464);  // low 16 bits of 70000
    EXPECT_FLOAT_EQ(east.real5, 97.5F);
    EXPECT_EQ(east.number2, -4);
    EXPECT_FLOAT_EQ(read.records[1].real2, 20.0F);
    EXPECT_EQ(read.records[1].short1, -1);
}

TEST(RegionListTest, ReportsFaultyFilesAndKeepsCompleteRecords) {
    const std::string gbk = "\xB6\xAB\xD1\xC7\xC7\xF8\xD3\xF2";  // 东亚区域
    const std::string longName(40, 'R');
    const struct {
        std::string text;
        bool ok;
        std::vector<std::string> names;
    } rows[] = {
        {"region 1 A 1 1 1 1 1 1 1 1 1", false, {}},
        {"", false, {}},
        {"REGION x", false, {}},
        {"REGION 0 A 1 1 1 1 1 1 1 1 1", true, {}},
        {"REGION -2", true, {}},
        {"REGION 2 " + longName + " 1 1 1 1 1 1 1 1 1 " + gbk + " 2 2 2 2 2 2 2 2 2",
         true,
         {longName, gbk}},
        {"REGION 3 A 1 1 1 1 1 1 1 1 1 B 1 1 1 1 1", false, {"A"}},
        {"REGION 2 A 1 1 1 1 1 1 1 1 1 B x 1 1 1 1 1 1 1 1", false, {"A"}},
        {"REGION 2 A 1 1 1 1 1 1 1 1 1 B 1 1.5.1 1 1 1 1 1 1 1", false, {"A"}},
        {"REGION 2 A 1 1 1 1 1.5 1 1 1 1", false, {}},
    };
    for (const auto& row : rows) {
        const RegionRead read = ReadText(row.text);
        EXPECT_EQ(read.ok, row.ok) << row.text;
        EXPECT_EQ(read.Names(), row.names) << row.text;
    }
}

TEST(RegionListTest, LoadShowsTheMessageOnlyForFaultyFiles) {
    CMessageRecorder recorder;
    CScopedMessageSink scope(&recorder);
    CTempDir start;
    std::filesystem::create_directory(start.File("dat"));
    const CDataPaths paths(start.Path());
    std::vector<RegionRecord> regions;

    EXPECT_FALSE(LoadRegionList(paths, regions));
    std::ofstream(paths.DataFile("region.txt")) << "REGION 0\n";
    EXPECT_TRUE(LoadRegionList(paths, regions));
    std::ofstream(paths.DataFile("region.txt")) << "REGION 2 A 1 1 1 1 1 1 1 1 1";
    EXPECT_FALSE(LoadRegionList(paths, regions));
    EXPECT_EQ(regions.size(), 1U);
    EXPECT_EQ(recorder.Messages(),
              (std::vector<std::string>{"投影区域参数文件错误", "投影区域参数文件错误"}));
}

}  // namespace
