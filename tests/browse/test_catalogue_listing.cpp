#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "BrowseTestFiles.h"
#include "browse/CatalogueListing.h"

namespace {

namespace fs = std::filesystem;

std::vector<std::string> Names(const std::vector<FileEntry>& entries) {
    std::vector<std::string> names;
    for (const FileEntry& entry : entries) {
        names.push_back(fs::path(entry.path).filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

TEST(ProductNameTest, ComparesExtensionAndCodeUpperCased) {
    const struct {
        const char* name;
        bool matches;
    } rows[] = {
        {"sat_lcn_ir1.awx", true}, {"xLCNx.Awx", true}, {"A.LCN.AWX", true},
        {"LCN.AWX2", false},       {"LCNX.TXT", false}, {"AWX.LCN", false},
        {"MSS.AWX", false},        {".awx", false},     {"\xD6\xD0lcn.awx", true},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(MatchesProductName(row.name, "LCN"), row.matches) << row.name;
    }
}

TEST(CatalogueListingTest, KeepsOnlyNonEmptyProductFilesWithTheCode) {
    CTempDir dir;
    for (const char* name : {"sat_lcn_ir1.awx", "LCN.AWX2", "LCNX.TXT", "MSS_IR1.AWX"}) {
        WriteSmall(dir, name);
    }
    WriteFileBytes(dir.File("LCN.AWX"), {});
    fs::create_directory(dir.File("X_LCN.AWX"));
    WriteSmall(dir, "X_LCN.AWX/INNER_LCN.AWX");

    EXPECT_EQ(Names(ListFileEntries(dir.Path(), "LCN", 1)),
              (std::vector<std::string>{"sat_lcn_ir1.awx"}));
    EXPECT_EQ(Names(ListFileEntries(dir.Path(), "MSS", 1)),
              (std::vector<std::string>{"MSS_IR1.AWX"}));
    EXPECT_TRUE(ListFileEntries(dir.File("missing"), "LCN", 1).empty());
}

TEST(CatalogueListingTest, TrailingSeparatorListsTheSamePaths) {
    CTempDir dir;
    WriteSmall(dir, "A_LCN.AWX");
    const std::string bare = fs::path(dir.Path()).lexically_normal().string();
    for (const std::string& folder : {bare, bare + char(fs::path::preferred_separator)}) {
        const auto entries = ListFileEntries(folder, "LCN", 1);
        ASSERT_EQ(entries.size(), 1U) << folder;
        EXPECT_EQ(entries[0].path, bare + char(fs::path::preferred_separator) + "A_LCN.AWX");
    }
}

TEST(CatalogueListingTest, ListsOnlyAcceptedHeadersOfTheTabsChannel) {
    CTempDir dir;
    AwxWriterOptions sat96;
    sat96.width = sat96.height = 8;
    sat96.edition = "SAT96";
    WriteAwxProduct(dir.File("OLD_LCN.AWX"), sat96);
    WriteSmall(dir, "CAT2_LCN.AWX", 1, {{kCategoryOffset, 2}});
    // Grid products go on the infrared-1 tab, when their headers can be read.
    WriteSmallGrid(dir, "TBB_LCN.AWX");
    WriteSmall(dir, "CAT3_LCN.AWX", 1, {{kCategoryOffset, 3}});
    for (int number = 0; number <= 6; ++number) {
        WriteSmall(dir, "CH" + std::to_string(number) + "_LCN.AWX", 1,
                   {{kFileChannelOffset, number}});
    }
    EXPECT_EQ(Names(ListFileEntries(dir.Path(), "LCN", 1)),
              (std::vector<std::string>{"CH1_LCN.AWX", "OLD_LCN.AWX", "TBB_LCN.AWX"}));
    // The water-vapour tab (code 3) takes header channel number 2.
    EXPECT_EQ(Names(ListFileEntries(dir.Path(), "LCN", 3)),
              (std::vector<std::string>{"CH2_LCN.AWX"}));
    EXPECT_EQ(Names(ListFileEntries(dir.Path(), "LCN", 5)),
              (std::vector<std::string>{"CH4_LCN.AWX"}));
}

TEST(CatalogueListingTest, FramesAreSortedByPathAndKeptWhole) {
    CTempDir dir;
    const std::string longName = std::string(120, 'n') + "_LCN.AWX";
    for (const std::string& name :
         {std::string("C_LCN.AWX"), std::string("b_LCN.AWX"), std::string("A_LCN.AWX"), longName}) {
        WriteSmall(dir, name);
    }
    WriteSmall(dir, "D_LCN.AWX", 3);

    std::vector<std::string> paths;
    for (const FrameEntry& frame : ListFrameEntries(dir.Path(), "LCN", 1)) {
        paths.push_back(frame.path);
        EXPECT_EQ(frame.timeText, "2022年03月31日 13:00");
    }
    EXPECT_EQ(paths, (std::vector<std::string>{dir.File("A_LCN.AWX"), dir.File("C_LCN.AWX"),
                                               dir.File("b_LCN.AWX"), dir.File(longName)}));
    EXPECT_EQ(ListFileEntries(dir.Path(), "LCN", 1).size(), paths.size());
}

// Folders list their names in no particular order (often newest first after
// a catalogue was written backwards); the list is in name order, which is
// time order, newest last, whatever the case of the names.
TEST(CatalogueListingTest, FilesAreListedInNameOrder) {
    CTempDir dir;
    const std::vector<std::string> written = {
        "FY2G_LCN_IR1_202203311500.AWX", "FY2G_LCN_IR1_202203311400.AWX",
        "fy2g_lcn_ir1_202203311300.awx", "FY2G_LCN_IR1_202203302200.AWX",
        "FY2G_LCN_IR1_202203301700.AWX",
    };
    for (const std::string& name : written) {
        WriteSmall(dir, name);
    }
    std::vector<std::string> listed;
    for (const FileEntry& entry : ListFileEntries(dir.Path(), "LCN", 1)) {
        listed.push_back(fs::path(entry.path).filename().string());
    }
    EXPECT_EQ(listed, (std::vector<std::string>{
                          "FY2G_LCN_IR1_202203301700.AWX", "FY2G_LCN_IR1_202203302200.AWX",
                          "fy2g_lcn_ir1_202203311300.awx", "FY2G_LCN_IR1_202203311400.AWX",
                          "FY2G_LCN_IR1_202203311500.AWX"}));
}

}  // namespace
