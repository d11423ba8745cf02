// The texture field on a small square ramp worked out by hand, and the
// shipped threshold tables.

#include <gtest/gtest.h>

#include <vector>

#include "analysis/CPrecipTexture.h"
#include "analysis/PrecipThresholds.h"
#include "support/TestSupport.h"

namespace {

// T = k² along the columns (or the rows) of a 10 x 8 image (8 x 10), k the
// column (row). The gradient is 40 k for k = 1..8, the edge copies make it
// 40 at k = 0 and 320 at k = 9; X = 0.004 · 5 · (five gradients) is 8.8, 12,
// 16, 20, 24 for k = 2..6, and elsewhere the nearest defined value.
struct TextureCase {
    const char* name;
    bool alongColumns;
    int column, row;
    float x;
};

const TextureCase kTextureCases[] = {
    {"LeftEdgeCopiesInside", true, 2, 3, 8.8f}, {"Inner", true, 4, 3, 16.0f},
    {"LastDefinedColumn", true, 6, 3, 24.0f},   {"CornerTakesNearest", true, 0, 0, 8.8f},
    {"RightTakesNearest", true, 8, 3, 24.0f},   {"BelowTakesNearest", true, 5, 7, 20.0f},
    {"TopEdgeCopiesInside", false, 3, 2, 8.8f}, {"InnerRow", false, 3, 5, 20.0f},
    {"BottomTakesNearest", false, 4, 9, 24.0f}, {"AboveTakesNearest", false, 4, 0, 8.8f},
};

class PrecipTextureField : public ::testing::TestWithParam<TextureCase> {};

}  // namespace

TEST_P(PrecipTextureField, ValueByHand) {
    const TextureCase& c = GetParam();
    const int width = c.alongColumns ? 10 : 8;
    const int height = c.alongColumns ? 8 : 10;
    std::vector<float> t;
    for (int r = 0; r < height; ++r) {
        for (int k = 0; k < width; ++k) {
            t.push_back(static_cast<float>(c.alongColumns ? k * k : r * r));
        }
    }
    CPrecipTexture texture;
    ASSERT_TRUE(texture.Begin(t.data(), width, height));
    EXPECT_NEAR(texture.At(c.column, c.row), c.x, 1e-4f);
}

INSTANTIATE_TEST_SUITE_P(SquareRamp, PrecipTextureField, ::testing::ValuesIn(kTextureCases),
                         [](const auto& info) { return std::string(info.param.name); });

// The shipped tables are whole, colder in winter than in summer, colder in
// the north and on the Tibetan Plateau than on the southern coast, warmer
// over the sea.
TEST(PrecipShippedTables, FollowSeasonLatitudeTerrainAndSea) {
    std::vector<float> winter, summer;
    ASSERT_TRUE(ReadPrecipThresholds(SourceDir() + "/dat/lut/yuzhi_1212.dat", winter));
    ASSERT_TRUE(ReadPrecipThresholds(SourceDir() + "/dat/lut/yuzhi_678.dat", summer));
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
