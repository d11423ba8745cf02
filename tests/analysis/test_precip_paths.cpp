// Finding the two infrared files from the path of any channel file.

#include <gtest/gtest.h>

#include <filesystem>

#include "analysis/CPrecipEstimate.h"
#include "analysis/EstimatePrecipitation.h"
#include "analysis/PrecipChannelPaths.h"
#include "platform/Message.h"
#include "support/PrecipScenes.h"

namespace {

struct PathCase {
    const char* name;
    std::string product;
    bool found;
    std::string ir1;
    std::string ir2;
};

const std::string kLong(200, 'a');

const PathCase kPathCases[] = {
    {"Ir1Itself", "/d/FY2G_LCN_IR1_2022.AWX", true, "/d/FY2G_LCN_IR1_2022.AWX",
     "/d/FY2G_LCN_IR2_2022.AWX"},
    {"Ir2", "/d/FY2G_LCN_IR2_2022.AWX", true, "/d/FY2G_LCN_IR1_2022.AWX",
     "/d/FY2G_LCN_IR2_2022.AWX"},
    {"Visible", "/d/FY2G_LCN_VIS_2022.AWX", true, "/d/FY2G_LCN_IR1_2022.AWX",
     "/d/FY2G_LCN_IR2_2022.AWX"},
    // The code is looked for in the whole path: an "_" in a folder name
    // makes the product code the channel code.
    {"UnderscoreInFolder", "/my_data/FY2G_LCN_IR1_2022.AWX", true, "/my_data/FY2G_IR1_IR1_2022.AWX",
     "/my_data/FY2G_IR2_IR2_2022.AWX"},
    // Every occurrence is replaced, folders included.
    {"EveryOccurrence", "/IR3/FY2G_LCN_IR3_2022.AWX", true, "/IR1/FY2G_LCN_IR1_2022.AWX",
     "/IR2/FY2G_LCN_IR2_2022.AWX"},
    // A two-letter channel takes the "_" after it into its code.
    {"WaterVapour", "/d/FY2G_LCN_WV_2022.AWX", true, "/d/FY2G_LCN_IR12022.AWX",
     "/d/FY2G_LCN_IR22022.AWX"},
    {"LongPath", "/" + kLong + "/FY2G_LCN_VIS_" + kLong + ".AWX", true,
     "/" + kLong + "/FY2G_LCN_IR1_" + kLong + ".AWX",
     "/" + kLong + "/FY2G_LCN_IR2_" + kLong + ".AWX"},
    {"NoUnderscore", "/d/plain.awx", false, "", ""},
    {"OneUnderscore", "/d/FY2G_plain.awx", false, "", ""},
    {"TooShortAfterSecond", "/d/a_b_c", false, "", ""},
};

class PrecipPaths : public ::testing::TestWithParam<PathCase> {};

}  // namespace

TEST_P(PrecipPaths, ChannelFiles) {
    const PathCase& c = GetParam();
    std::string ir1;
    std::string ir2;
    ASSERT_EQ(PrecipChannelPaths(c.product, ir1, ir2), c.found);
    if (c.found) {
        EXPECT_EQ(ir1, c.ir1);
        EXPECT_EQ(ir2, c.ir2);
    }
}

INSTANTIATE_TEST_SUITE_P(Rule, PrecipPaths, ::testing::ValuesIn(kPathCases),
                         [](const auto& info) { return std::string(info.param.name); });

namespace {

double ColdCentre(int x, int y) {
    return x == 20 && y == 15 ? 200.0 : 300.0;
}

}  // namespace

// Opening the infrared-2 product estimates as opening infrared 1 does; a
// folder with an "_" or a missing channel file gives no estimate and no
// message, and tells which path was looked for.
TEST(PrecipPaths, EstimateFromEitherChannelOrNothing) {
    CTempDir root;
    const std::string plain = root.Path() + "/plain";
    const std::string underscored = root.Path() + "/my_data";
    std::filesystem::create_directory(plain);
    std::filesystem::create_directory(underscored);
    WritePrecipTables(root.Path(), UniformThreshold(240.0));
    const AwxWriterOptions o = PrecipProductOptions(40, 30, 7);
    const std::string ir1 = WritePrecipPair(plain, o, ColdCentre, ColdCentre);
    const std::string shiftedIr1 = WritePrecipPair(underscored, o, ColdCentre, ColdCentre);
    const std::string onlyIr1 = root.Path() + "/FY2G_LCN_IR1_202204151200.AWX";
    std::filesystem::copy_file(ir1, onlyIr1);

    const struct {
        std::string product;
        int result;
        std::string missing;
    } kCases[] = {
        {ir1, 1, ""},
        {PrecipIr2Path(ir1), 1, ""},
        {shiftedIr1, 0, underscored + "/FY2G_IR1_IR1_202204151200.AWX"},
        {onlyIr1, 0, PrecipIr2Path(onlyIr1)},
        {root.Path() + "/nothing.awx", 0, root.Path() + "/nothing.awx"},
    };
    for (const auto& c : kCases) {
        CMessageRecorder recorder;
        CScopedMessageSink scope(&recorder);
        CPrecipEstimate estimate(root.Path());
        std::string missing;
        EXPECT_EQ(EstimatePrecipitation(estimate, c.product, &missing), c.result) << c.product;
        EXPECT_EQ(missing, c.missing);
        EXPECT_TRUE(recorder.Messages().empty());
        EXPECT_EQ(estimate.Pixels().size(), c.result == 1 ? 1u : 0u);
    }
}
