#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "BrowseTestFiles.h"
#include "browse/CatalogueListing.h"

namespace {

namespace fs = std::filesystem;

std::vector<std::string> FileNames(const std::vector<FileEntry>& entries) {
    std::vector<std::string> names;
    for (const FileEntry& entry : entries) {
        names.push_back(fs::path(entry.path).filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

TEST(ProductNameTest, ComparesExtensionAndCodeUpperCased) {
    struct Row {
        const char* name;
        const char* code;
        bool matches;
    };
    const Row rows[] = {
        {"sat_lcn_ir1.awx", "LCN", true}, {"LCN.AWX", "LCN", true},     {"xLCNx.Awx", "LCN", true},
        {"LCN.AWX2", "LCN", false},       {"LCNX.TXT", "LCN", false},   {"LCN", "LCN", false},
        {"MSS.AWX", "LCN", false},        {"A.LCN.AWX", "LCN", true},   {"AWX.LCN", "LCN", false},
        {"\xD6\xD0LCN.awx", "LCN", true}, {"lcn.tbd.awx", "TBD", true}, {".awx", "LCN", false},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(MatchesProductName(row.name, row.code), row.matches) << row.name;
    }
}

TEST(CatalogueListingTest, KeepsOnlyNonEmptyProductFilesWithTheCode) {
    CTempDir dir;
    WriteSmall(dir, "sat_lcn_ir1.awx");
    WriteSmall(dir, "LCN.AWX2");
    WriteSmall(dir, "LCNX.TXT");
    WriteSmall(dir, "MSS_IR1.AWX");
    WriteFileBytes(dir.File("LCN.AWX"), {});
    fs::create_directory(dir.File("X_LCN.AWX"));
    WriteSmall(dir, "X_LCN.AWX/INNER_LCN.AWX");

    EXPECT_EQ(FileNames(ListFileEntries(dir.Path(), "LCN", 1)),
              (std::vector<std::string>{"sat_lcn_ir1.awx"}));
    EXPECT_EQ(FileNames(ListFileEntries(dir.Path(), "MSS", 1)),
              (std::vector<std::string>{"MSS_IR1.AWX"}));
}

TEST(CatalogueListingTest, TrailingSeparatorListsTheSamePaths) {
    CTempDir dir;
    WriteSmall(dir, "A_LCN.AWX");
    WriteSmall(dir, "B_LCN.AWX");
    const std::string bare = fs::path(dir.Path()).lexically_normal().string();
    const std::string withSeparator = bare + static_cast<char>(fs::path::preferred_separator);
    const auto paths = [](const std::vector<FileEntry>& entries) {
        std::vector<std::string> out;
        for (const FileEntry& e : entries) {
            out.push_back(e.path);
        }
        std::sort(out.begin(), out.end());
        return out;
    };
    const auto a = paths(ListFileEntries(bare, "LCN", 1));
    EXPECT_EQ(a, paths(ListFileEntries(withSeparator, "LCN", 1)));
    ASSERT_EQ(a.size(), 2U);
    EXPECT_EQ(a[0], bare + static_cast<char>(fs::path::preferred_separator) + "A_LCN.AWX");
}

TEST(CatalogueListingTest, MissingFolderListsNothing) {
    EXPECT_TRUE(ListFileEntries("/nonexistent/kelvra/catalogue", "LCN", 1).empty());
    EXPECT_TRUE(ListFrameEntries("", "LCN", 1).empty());
}

TEST(CatalogueListingTest, AppliesTheHeaderChecks) {
    CTempDir dir;
    AwxWriterOptions sat96 = SmallProduct();
    sat96.edition = "SAT96";
    WriteAwxProduct(dir.File("OLD_LCN.AWX"), sat96);

    std::vector<std::uint8_t> category2 = MakeAwxProduct(SmallProduct());
    PutInt16(category2, kCategoryOffset, 2);
    WriteBytesToPath(dir.File("CAT2_LCN.AWX"), category2);

    std::vector<std::uint8_t> shortFile = MakeAwxProduct(SmallProduct());
    shortFile.resize(40 + 63);
    WriteBytesToPath(dir.File("SHORT_LCN.AWX"), shortFile);
    WriteFileBytes(dir.File("TEXT_LCN.AWX"), {'h', 'e', 'l', 'l', 'o'});
    WriteFileChannel(dir, "BADCH_LCN.AWX", 6);

    EXPECT_EQ(FileNames(ListFileEntries(dir.Path(), "LCN", 1)),
              (std::vector<std::string>{"OLD_LCN.AWX"}));
    for (int channel = 0; channel <= 5; ++channel) {
        EXPECT_TRUE(channel == 1 || ListFileEntries(dir.Path(), "LCN", channel).empty());
    }
}

// The tabs select by the mapped channel: file numbers 0-5 -> codes 0, 1, 3, 2, 5, 4.
TEST(CatalogueListingTest, EachTabListsItsHeaderChannelNumber) {
    CTempDir dir;
    for (int number = 0; number <= 6; ++number) {
        WriteFileChannel(dir, "CH" + std::to_string(number) + "_LCN.AWX", number);
    }
    const char* expected[] = {
        "", "CH1_LCN.AWX", "CH3_LCN.AWX", "CH2_LCN.AWX", "CH5_LCN.AWX", "CH4_LCN.AWX"};
    for (int code = 1; code <= 5; ++code) {
        EXPECT_EQ(FileNames(ListFileEntries(dir.Path(), "LCN", code)),
                  (std::vector<std::string>{expected[code]}))
            << "channel code " << code;
    }
}

TEST(CatalogueListingTest, EntriesCarryTheHeaderTexts) {
    CTempDir dir;
    AwxWriterOptions options = SmallProduct(2);
    options.year = 2022;
    options.month = 3;
    options.day = 31;
    options.hour = 21;
    options.minute = 5;
    options.width = 40;
    options.height = 30;
    WriteAwxProduct(dir.File("LCN_IR2.AWX"), options);

    const auto entries = ListFileEntries(dir.Path(), "LCN", 2);
    ASSERT_EQ(entries.size(), 1U);
    EXPECT_EQ(entries[0].timeText, "2022年03月31日 21:05");
    EXPECT_EQ(entries[0].projectionText, "等经纬度");
    EXPECT_EQ(entries[0].centreText, "[97.50,27.50]");
    EXPECT_EQ(entries[0].sizeText, "40×30");
    EXPECT_EQ(entries[0].path, dir.File("LCN_IR2.AWX"));
}

TEST(CatalogueListingTest, LongPathsAreKeptWhole) {
    CTempDir dir;
    const std::string name = std::string(120, 'n') + "_LCN.AWX";
    WriteSmall(dir, name);
    const auto files = ListFileEntries(dir.Path(), "LCN", 1);
    const auto frames = ListFrameEntries(dir.Path(), "LCN", 1);
    ASSERT_EQ(files.size(), 1U);
    ASSERT_EQ(frames.size(), 1U);
    EXPECT_EQ(files[0].path, dir.File(name));
    EXPECT_EQ(frames[0].path, dir.File(name));
}

TEST(CatalogueListingTest, FramesAreSortedByPathAndMatchTheBrowser) {
    CTempDir dir;
    for (const char* name : {"C_LCN.AWX", "A_LCN.AWX", "b_LCN.AWX", "B_LCN.AWX", "Z_MSS.AWX"}) {
        WriteSmall(dir, name);
    }
    WriteSmall(dir, "D_LCN.AWX", 3);

    const auto frames = ListFrameEntries(dir.Path(), "LCN", 1);
    std::vector<std::string> paths;
    for (const FrameEntry& frame : frames) {
        paths.push_back(frame.path);
        EXPECT_EQ(frame.timeText, "2022年03月31日 13:00");
    }
    EXPECT_EQ(paths, (std::vector<std::string>{dir.File("A_LCN.AWX"), dir.File("B_LCN.AWX"),
                                               dir.File("C_LCN.AWX"), dir.File("b_LCN.AWX")}));

    const auto files = ListFileEntries(dir.Path(), "LCN", 1);
    EXPECT_EQ(files.size(), frames.size());
}

}  // namespace
