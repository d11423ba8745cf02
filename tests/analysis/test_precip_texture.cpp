// The texture field on small fields worked out by hand, and the season
// tables the estimate reads.

#include <gtest/gtest.h>

#include <vector>

#include "analysis/CPrecipTexture.h"
#include "analysis/PrecipThresholds.h"
#include "support/PrecipScenes.h"

namespace {

// T = k² along one axis (k the column or the row), constant along the other.
// The gradient is 40 k for k = 1..8, and the edge copies make it 40 at k = 0
// and 320 at k = 9. X = 0.004 · 5 · (sum of five gradients), defined for
// k = 2..6: 8.8, 12, 16, 20, 24. Elsewhere the nearest defined value.
struct TextureCase {
    const char* name;
    bool alongColumns;  // the square grows with the column (else the row)
    int column;
    int row;
    float x;
};

const TextureCase kTextureCases[] = {
    {"LeftEdgeCopiesInside", true, 2, 3, 8.8f},     {"Inner", true, 4, 3, 16.0f},
    {"LastDefinedColumn", true, 6, 3, 24.0f},       {"CornerTakesNearest", true, 0, 0, 8.8f},
    {"RightOfAreaTakesNearest", true, 8, 3, 24.0f}, {"BelowAreaTakesNearest", true, 5, 7, 20.0f},
    {"TopEdgeCopiesInside", false, 3, 2, 8.8f},     {"InnerRow", false, 3, 5, 20.0f},
    {"BottomTakesNearest", false, 4, 9, 24.0f},     {"AboveAreaTakesNearest", false, 4, 0, 8.8f},
};

class PrecipTextureField : public ::testing::TestWithParam<TextureCase> {};

}  // namespace

TEST_P(PrecipTextureField, ValueByHand) {
    const TextureCase& c = GetParam();
    const int width = c.alongColumns ? 10 : 8;
    const int height = c.alongColumns ? 8 : 10;
    std::vector<float> t(static_cast<std::size_t>(width) * height);
    for (int r = 0; r < height; ++r) {
        for (int k = 0; k < width; ++k) {
            const int along = c.alongColumns ? k : r;
            t[static_cast<std::size_t>(r) * width + k] = static_cast<float>(along * along);
        }
    }
    CPrecipTexture texture;
    ASSERT_TRUE(texture.Begin(t.data(), width, height));
    EXPECT_NEAR(texture.At(c.column, c.row), c.x, 1e-4f);
}

INSTANTIATE_TEST_SUITE_P(SquareRamp, PrecipTextureField, ::testing::ValuesIn(kTextureCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PrecipSeasons, MonthChoosesTheTable) {
    const struct {
        int month;
        const char* file;
    } kCases[] = {
        {12, "yuzhi_1212.dat"}, {1, "yuzhi_1212.dat"},  {2, "yuzhi_1212.dat"},
        {3, "yuzhi_345.dat"},   {5, "yuzhi_345.dat"},   {6, "yuzhi_678.dat"},
        {8, "yuzhi_678.dat"},   {9, "yuzhi_91011.dat"}, {11, "yuzhi_91011.dat"},
    };
    for (const auto& c : kCases) {
        PrecipSeason season;
        ASSERT_TRUE(PrecipSeasonOfMonth(c.month, season)) << c.month;
        EXPECT_STREQ(PrecipThresholdFileName(season), c.file) << c.month;
    }
    for (int month : {0, 13, -1}) {
        PrecipSeason season;
        EXPECT_FALSE(PrecipSeasonOfMonth(month, season)) << month;
    }
}

// The shipped tables: the whole table, colder in winter than in summer,
// colder in the north and on the Tibetan Plateau than on the southern coast.
TEST(PrecipSeasons, ShippedTablesFollowSeasonLatitudeAndTerrain) {
    auto read = [](const char* name) {
        std::vector<float> table;
        EXPECT_TRUE(ReadPrecipThresholds(SourceDir() + "/dat/lut/" + name, table)) << name;
        return table;
    };
    const std::vector<float> winter = read("yuzhi_1212.dat");
    const std::vector<float> summer = read("yuzhi_678.dat");
    ASSERT_EQ(winter.size(), kPrecipTableValues);
    ASSERT_EQ(summer.size(), kPrecipTableValues);
    const std::size_t guangzhou = PrecipThresholdIndex(113.3, 23.1);
    const std::size_t harbin = PrecipThresholdIndex(126.6, 45.8);
    const std::size_t lhasa = PrecipThresholdIndex(91.1, 29.7);
    const std::size_t southChinaSea = PrecipThresholdIndex(115.0, 15.0);
    for (const std::vector<float>* t : {&winter, &summer}) {
        EXPECT_LT((*t)[harbin], (*t)[guangzhou]);
        EXPECT_LT((*t)[lhasa], (*t)[guangzhou]);
        EXPECT_GT((*t)[southChinaSea], (*t)[guangzhou]);
    }
    for (std::size_t k : {guangzhou, harbin, lhasa, southChinaSea}) {
        EXPECT_LT(winter[k], summer[k]);
    }
}
