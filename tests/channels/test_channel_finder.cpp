// The sibling channels of an open product, found by their headers: names
// only order the looking, the catalogue folder is looked at after the
// product's own, and what is missing or refused is named.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "channels/ChannelFinder.h"
#include "channels/ChannelScenes.h"

namespace {

struct FinderCase {
    const char* name;
    // Files besides the open infrared-1 product: (folder 0 the product's,
    // 1 the catalogue), file name, channel, hour, width.
    struct File {
        int folder;
        const char* fileName;
        int channel;
        int hour;
        int width;
    };
    std::vector<File> files;
    std::vector<int> wanted;
    // The expected file name of each wanted channel, "" for not found.
    std::vector<const char*> expected;
    // What the problem must name ("" for none).
    const char* problemNames;
};

class ChannelFinderTest : public ::testing::TestWithParam<FinderCase> {};

TEST_P(ChannelFinderTest, FindsByHeader) {
    const FinderCase& c = GetParam();
    CTempDir product;
    CTempDir catalogue;
    const std::string open = product.File("ANI_IR1_R04_20220331_1300.AWX");
    ASSERT_TRUE(WriteSceneFile(open, SceneFile{}));
    for (const FinderCase::File& f : c.files) {
        SceneFile file{f.channel, f.hour, f.width, kSceneHeight};
        ASSERT_TRUE(WriteSceneFile((f.folder == 0 ? product : catalogue).File(f.fileName), file));
    }
    ChannelSearch search;
    search.productPath = open;
    search.folders = {catalogue.Path()};
    search.channels = c.wanted;
    FoundChannels found;
    const bool complete = FindChannelFiles(search, found);
    EXPECT_EQ(complete, std::string(c.problemNames).empty()) << found.problem;
    for (std::size_t i = 0; i < c.wanted.size(); ++i) {
        const std::string path = found.paths[static_cast<std::size_t>(c.wanted[i])];
        EXPECT_EQ(std::filesystem::path(path).filename().string(), c.expected[i])
            << "channel " << c.wanted[i];
    }
    EXPECT_NE(found.problem.find(c.problemNames), std::string::npos) << found.problem;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ChannelFinderTest,
    ::testing::Values(FinderCase{"NamesInOtherPlaces",
                                 {{0, "FY2G_LCN_IR2_202203311300.AWX", 2, 13, kSceneWidth},
                                  {0, "ANI_WV_R04_20220331_1300.AWX", 3, 13, kSceneWidth}},
                                 {1, 2, 3},
                                 {"ANI_IR1_R04_20220331_1300.AWX", "FY2G_LCN_IR2_202203311300.AWX",
                                  "ANI_WV_R04_20220331_1300.AWX"},
                                 ""},
                      // The header decides: a file named IR2 holding water vapour is the
                      // water vapour, and the infrared 2 may have any name.
                      FinderCase{"HeaderOverName",
                                 {{0, "X_IR2_20220331_1300.AWX", 3, 13, kSceneWidth},
                                  {0, "plain.awx", 2, 13, kSceneWidth},
                                  {0, "Y_IR2_20220331_1400.AWX", 2, 14, kSceneWidth}},
                                 {2, 3},
                                 {"plain.awx", "X_IR2_20220331_1300.AWX"},
                                 ""},
                      FinderCase{"CatalogueFallback",
                                 {{1, "FY2G_LCN_IR2_202203311300.AWX", 2, 13, kSceneWidth}},
                                 {1, 2},
                                 {"ANI_IR1_R04_20220331_1300.AWX", "FY2G_LCN_IR2_202203311300.AWX"},
                                 ""},
                      // A catalogue's files named for another time are not read.
                      FinderCase{"CatalogueNamesOfOtherTimesSkipped",
                                 {{1, "FY2G_LCN_IR2_202203311400.AWX", 2, 13, kSceneWidth}},
                                 {1, 2},
                                 {"ANI_IR1_R04_20220331_1300.AWX", ""},
                                 "红外二"},
                      FinderCase{"OtherTimeIsMissing",
                                 {{0, "FY2G_LCN_WV_202203311400.AWX", 3, 14, kSceneWidth}},
                                 {1, 3},
                                 {"ANI_IR1_R04_20220331_1300.AWX", ""},
                                 "水汽"},
                      FinderCase{"OtherSizeIsRefusedByName",
                                 {{0, "FY2G_LCN_IR2_202203311300.AWX", 2, 13, kSceneWidth + 4}},
                                 {1, 2},
                                 {"ANI_IR1_R04_20220331_1300.AWX", ""},
                                 "FY2G_LCN_IR2_202203311300.AWX"}),
    [](const ::testing::TestParamInfo<FinderCase>& info) { return info.param.name; });

}  // namespace
