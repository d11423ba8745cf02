// Finding the two infrared files from the path of any channel file.

#include <gtest/gtest.h>

#include <filesystem>

#include "analysis/CPrecipEstimate.h"
#include "analysis/EstimatePrecipitation.h"
#include "analysis/PrecipChannelPaths.h"
#include "platform/Message.h"
#include "support/PrecipScenes.h"
#include "support/TestSupport.h"

namespace {

struct PathCase {
    const char* name;
    std::string product, ir1, ir2;  // ir1 empty: no channel code
};

const std::string kLong(200, 'a');

const PathCase kPathCases[] = {
    {"Ir1", "/d/FY2G_LCN_IR1_1.AWX", "/d/FY2G_LCN_IR1_1.AWX", "/d/FY2G_LCN_IR2_1.AWX"},
    {"Ir2", "/d/FY2G_LCN_IR2_1.AWX", "/d/FY2G_LCN_IR1_1.AWX", "/d/FY2G_LCN_IR2_1.AWX"},
    {"Visible", "/d/FY2G_LCN_VIS_1.AWX", "/d/FY2G_LCN_IR1_1.AWX", "/d/FY2G_LCN_IR2_1.AWX"},
    // The code is the three characters after the second "_" of the whole path.
    {"UnderscoreInFolder", "/my_d/FY2G_LCN_IR1_1.AWX", "/my_d/FY2G_IR1_IR1_1.AWX",
     "/my_d/FY2G_IR2_IR2_1.AWX"},
    {"TwoLetterChannel", "/d/FY2G_LCN_WV_1.AWX", "/d/FY2G_LCN_IR11.AWX", "/d/FY2G_LCN_IR21.AWX"},
    {"EveryOccurrence", "/IR3/FY2G_LCN_IR3_1.AWX", "/IR1/FY2G_LCN_IR1_1.AWX",
     "/IR2/FY2G_LCN_IR2_1.AWX"},
    {"LongPath", "/" + kLong + "/FY2G_LCN_VIS_" + kLong, "/" + kLong + "/FY2G_LCN_IR1_" + kLong,
     "/" + kLong + "/FY2G_LCN_IR2_" + kLong},
    {"NoUnderscore", "/d/plain.awx", "", ""},
    {"OneUnderscore", "/d/FY2G_plain.awx", "", ""},
    {"TooShortAfterSecond", "/d/a_b_c", "", ""},
};

class PrecipPaths : public ::testing::TestWithParam<PathCase> {};

double ColdCentre(int x, int y) {
    return x == 20 && y == 15 ? 200.0 : 300.0;
}

}  // namespace

TEST_P(PrecipPaths, ChannelFiles) {
    const PathCase& c = GetParam();
    std::string ir1, ir2;
    ASSERT_EQ(PrecipChannelPaths(c.product, ir1, ir2), !c.ir1.empty());
    if (!c.ir1.empty()) {
        EXPECT_EQ(ir1, c.ir1);
        EXPECT_EQ(ir2, c.ir2);
    }
}

INSTANTIATE_TEST_SUITE_P(Rule, PrecipPaths, ::testing::ValuesIn(kPathCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Opening the infrared-2 product estimates as infrared 1 does; a folder with
// an "_" or a missing channel file gives no estimate and no message, and
// tells which path was looked for.
TEST(PrecipPaths, EstimateFromEitherChannelOrNothing) {
    CTempDir root;
    const std::string plain = root.Path() + "/plain";
    const std::string underscored = root.Path() + "/my_data";
    std::filesystem::create_directory(plain);
    std::filesystem::create_directory(underscored);
    WritePrecipTables(root.Path(), UniformThreshold(240.0));
    const AwxWriterOptions o = PrecipProductOptions(40, 30, 7);
    const std::string ir1 = WritePrecipPair(plain, o, ColdCentre, ColdCentre);
    const std::string shifted = WritePrecipPair(underscored, o, ColdCentre, ColdCentre);
    const std::string alone = root.Path() + "/FY2G_LCN_IR1_202204151200.AWX";
    std::filesystem::copy_file(ir1, alone);

    const struct {
        std::string product;
        int result;
        std::string missing;
    } kCases[] = {
        {ir1, 1, ""},
        {PrecipIr2Path(ir1), 1, ""},
        {shifted, 0, underscored + "/FY2G_IR1_IR1_202204151200.AWX"},
        {alone, 0, PrecipIr2Path(alone)},
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
