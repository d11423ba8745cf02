// Differences and RGB composites against a brute-force reference on the
// synthetic channel set: every pixel of the image the combination makes is
// the value the range, reversal and gamma give, worked out from the
// calibrated values pixel by pixel.

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "channels/CChannelCombiner.h"
#include "channels/ChannelDifference.h"
#include "channels/ChannelScenes.h"
#include "channels/RgbRecipeList.h"

namespace {

// The byte a value shows as, from the definition alone.
int ReferenceByte(double value, const ValueRange& range) {
    double t = (value - range.low) / (static_cast<double>(range.high) - range.low);
    t = t < 0.0 ? 0.0 : (t > 1.0 ? 1.0 : t);
    return static_cast<int>(std::lround(255.0 * std::pow(t, 1.0 / range.gamma)));
}

double TermValue(const CChannelSet& set, const ChannelTerm& term, int x, int y) {
    float a = 0.0f;
    float b = 0.0f;
    set.Channel(term.first)->CalibratedValueAt(x, y, a);
    if (!term.IsDifference()) {
        return a;
    }
    set.Channel(term.second)->CalibratedValueAt(x, y, b);
    return static_cast<double>(a - b);
}

// The byte of colour c (0 red … 2 blue, or the 8-bit count) at (x, y).
int ImageByte(const CDibImage& image, int c, int x, int y) {
    std::uint32_t pixel = 0;
    image.GetPixel(x, y, pixel);
    return image.IsEightBit() ? static_cast<int>(pixel & 0xFFu)
                              : static_cast<int>((pixel >> (8 * c)) & 0xFFu);
}

Combination Shipped(const std::string& key) {
    Combination combination;
    std::string problem;
    EXPECT_TRUE(ResolveRgbRecipe(key, {SourceDir() + "/dat/rgb"}, combination.recipe, problem))
        << problem;
    return combination;
}

struct CombinationCase {
    const char* name;
    Combination combination;
};

class CombinedImageTest : public ::testing::TestWithParam<CombinationCase> {};

TEST_P(CombinedImageTest, EveryPixelIsTheReference) {
    CTempDir dir;
    const std::string open = WriteSceneSet(dir);
    const Combination& combination = GetParam().combination;
    CChannelCombiner combiner;
    CDibImage image;
    CombinedPicture picture;
    std::string problem;
    ASSERT_TRUE(combiner.Make(combination, open, {}, image, picture, problem)) << problem;
    ASSERT_EQ(image.Width(), kSceneWidth);
    ASSERT_EQ(image.Height(), kSceneHeight);
    EXPECT_EQ(image.IsEightBit(), combination.difference);
    EXPECT_EQ(picture.name.empty(), combination.recipe.name.empty());
    CChannelSet set;
    ChannelSearch search{open, {}, ChannelsOf(combination)};
    ASSERT_TRUE(set.Load(search, problem));
    const int colours = combination.difference ? 1 : 3;
    for (int c = 0; c < colours; ++c) {
        const RgbColour& colour = combination.recipe.colours[static_cast<std::size_t>(c)];
        for (int y = 0; y < kSceneHeight; ++y) {
            for (int x = 0; x < kSceneWidth; ++x) {
                const int expected = ReferenceByte(TermValue(set, colour.term, x, y), colour.range);
                ASSERT_EQ(ImageByte(image, c, x, y), expected)
                    << "colour " << c << " at " << x << "," << y;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CombinedImageTest,
    ::testing::Values(
        CombinationCase{"SplitWindow", DifferenceCombination(DifferenceKind::kSplitWindow)},
        CombinationCase{"WaterVapour", DifferenceCombination(DifferenceKind::kWaterVapour)},
        CombinationCase{"NightFog", Shipped("night-fog")},
        CombinationCase{"Convection", Shipped("convection")},
        CombinationCase{"DayNatural", Shipped("day-natural")}),
    [](const ::testing::TestParamInfo<CombinationCase>& info) { return info.param.name; });

// What a forecaster looks for: the fog patch, invisible in infrared 1,
// stands out in the night composite's green; thin cirrus is warm in the
// split window; the overshooting top is warm in water vapour − infrared 1.
TEST(CombinedImageFeatures, ShowWhatTheyClaim) {
    CTempDir dir;
    const std::string open = WriteSceneSet(dir);
    CChannelCombiner combiner;
    CDibImage image;
    CombinedPicture picture;
    std::string problem;
    const int fogX = kFog.left + 2;
    const int fogY = kFog.top + 2;
    ASSERT_EQ(SceneValue(1, fogX, fogY), SceneValue(1, fogX, kFog.bottom + 2));
    ASSERT_TRUE(combiner.Make(Shipped("night-fog"), open, {}, image, picture, problem));
    EXPECT_GT(ImageByte(image, 1, fogX, fogY), ImageByte(image, 1, fogX, kFog.bottom + 2) + 100);

    ASSERT_TRUE(combiner.Make(DifferenceCombination(DifferenceKind::kSplitWindow), open, {}, image,
                              picture, problem));
    EXPECT_GT(ImageByte(image, 0, kCirrus.left + 1, kCirrus.top + 1), 200);
    EXPECT_NEAR(picture.legendValues[128], 0.0, 0.1);
    EXPECT_NE(combiner.Readout(kCirrus.left + 1, kCirrus.top + 1).find("红外二"),
              std::string::npos);

    ASSERT_TRUE(combiner.Make(DifferenceCombination(DifferenceKind::kWaterVapour), open, {}, image,
                              picture, problem));
    EXPECT_GT(ImageByte(image, 0, 20, 20), 128);
    EXPECT_LT(ImageByte(image, 0, 60, 40), 20);
}

}  // namespace
