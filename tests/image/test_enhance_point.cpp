#include <gtest/gtest.h>

#include "EnhanceImages.h"
#include "image/PointOperation.h"
#include "platform/Rand15.h"

namespace {

struct MapCase {
    const char* name;
    ChannelMap map;
    int in;
    int out;
};

TEST(EnhancePoint, ChannelFormulas) {
    const MapCase cases[] = {
        {"brightness 150 saturates", BrightnessMap(150), 200, 255},
        {"brightness 150", BrightnessMap(150), 100, 150},
        {"brightness 100 keeps", BrightnessMap(100), 77, 77},
        {"brightness 0 blackens", BrightnessMap(0), 255, 0},
        {"brightness 200 doubles", BrightnessMap(200), 60, 120},
        {"brightness truncates", BrightnessMap(33), 10, 3},
        {"brightness huge percent", BrightnessMap(2000000000), 1, 255},
        {"contrast 50 on 0", ContrastMap(50), 0, 64},
        {"contrast 50 on 255", ContrastMap(50), 255, 191},
        {"contrast 0 flattens", ContrastMap(0), 3, 128},
        {"contrast 100 keeps", ContrastMap(100), 200, 200},
        {"contrast 500 clamps low", ContrastMap(500), 100, 0},
        {"contrast negative inverts", ContrastMap(-100), 0, 255},
        {"negate", NegateMap(), 200, 55},
    };
    for (const MapCase& c : cases) {
        EXPECT_EQ(c.map[static_cast<std::size_t>(c.in)], c.out) << c.name;
    }
}

TEST(EnhancePoint, BrightnessRecordsHistoryAndWalksEveryPixel) {
    CDibImage image = GreyFromRows({{200, 100}, {0, 50}});
    ASSERT_TRUE(image.Brightness(150));
    EXPECT_EQ(AllPixels(image), (AllPixels(GreyFromRows({{255, 150}, {0, 75}}))));
    ASSERT_EQ(image.History().size(), 1u);
    EXPECT_EQ(image.History().back().name, "Adjust Brightness");
    EXPECT_EQ(Level(*image.History().back().image, 0, 0), 200);
}

TEST(EnhancePoint, RangeFailuresRecordNothing) {
    CDibImage image = UniformGrey(3, 3, 10);
    CRand15 generator;
    EXPECT_FALSE(image.Brightness(-1));
    EXPECT_FALSE(image.AddNoise(0, generator));
    EXPECT_FALSE(image.AddNoise(101, generator));
    EXPECT_TRUE(image.History().empty());
    EXPECT_EQ(Level(image, 1, 1), 10);
    CDibImage empty;
    EXPECT_FALSE(empty.Negate());
    EXPECT_FALSE(empty.Contrast(50));
    EXPECT_FALSE(empty.HistogramStretch());
    EXPECT_FALSE(empty.Blur());
}

TEST(EnhancePoint, NegateTwiceRestoresAndNamesHistory) {
    CDibImage image = RandomImage(7, 5, 24, 3);
    const auto before = AllPixels(image);
    ASSERT_TRUE(image.Negate());
    EXPECT_NE(AllPixels(image), before);
    ASSERT_TRUE(image.Negate());
    EXPECT_EQ(AllPixels(image), before);
    EXPECT_EQ(image.History().back().name, "Adjust Negate");
    ASSERT_TRUE(image.Contrast(120));
    EXPECT_EQ(image.History().back().name, "Contrast");
}

TEST(EnhancePoint, ThirtyTwoBitImageRecordsThenRollsBack) {
    CDibImage image = RandomImage(4, 3, 32, 9);
    const auto before = AllPixels(image);
    CRand15 generator;
    EXPECT_FALSE(image.Brightness(150));
    EXPECT_FALSE(image.Negate());
    EXPECT_FALSE(image.AddNoise(100, generator));
    EXPECT_FALSE(image.Sharpen());
    EXPECT_FALSE(image.HistogramStretch());
    EXPECT_EQ(AllPixels(image), before);
    EXPECT_TRUE(image.History().empty());  // every record was rolled back
    EXPECT_EQ(image.ForwardHistory().size(), 4u);
}

TEST(EnhancePoint, RegionLimitsTheWalk) {
    CDibImage image = UniformGrey(5, 4, 100);
    SetRect(image, 1, 1, 3, 3);
    ASSERT_TRUE(image.Negate());
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 5; ++x) {
            const bool inside = x >= 1 && x < 3 && y >= 1 && y < 3;
            EXPECT_EQ(Level(image, x, y), inside ? 155 : 100) << x << "," << y;
        }
    }
    CDibImage striped = UniformGrey(4, 2, 100);
    striped.SetRegion(std::make_unique<CEvenColumns>(0, 0, 4, 2));
    ASSERT_TRUE(striped.Negate());
    EXPECT_EQ(Level(striped, 0, 1), 155);
    EXPECT_EQ(Level(striped, 1, 1), 100);
}

TEST(EnhancePoint, RegionOutsideImageFailsUnchanged) {
    CDibImage image = UniformGrey(3, 3, 100);
    SetRect(image, 1, 1, 5, 5);
    EXPECT_FALSE(image.Negate());
    EXPECT_EQ(AllPixels(image), AllPixels(UniformGrey(3, 3, 100)));
}

// The first draws of the generator: 41, 18467, 6334, 26500 ...
TEST(EnhancePoint, NoiseFollowsTheGeneratorSequence) {
    CDibImage image = UniformGrey(1, 1, 200);
    CRand15 generator;
    ASSERT_TRUE(image.AddNoise(100, generator));
    // 41 < 32767 selects the pixel; red offset 18467 * 256 / 32767 - 128 = 16.
    EXPECT_EQ(Level(image, 0, 0), 216);
    EXPECT_EQ(image.History().back().name, "Add Noise");
}

TEST(EnhancePoint, NoiseWrapsAndRepeatsEveryRun) {
    CDibImage first = RandomImage(31, 17, 8, 5);
    CDibImage second = first;
    CRand15 a;
    CRand15 b;
    ASSERT_TRUE(first.AddNoise(60, a));
    ASSERT_TRUE(second.AddNoise(60, b));
    EXPECT_EQ(AllPixels(first), AllPixels(second));
}

TEST(EnhancePoint, NoiseOffsetOf128WrapsAround) {
    // Advance the generator to a selecting draw followed by a draw of 32767,
    // the one red offset of +128.
    CRand15 generator;
    for (;;) {
        CRand15 probe = generator;
        if (probe.Next() < CRand15::kMax && probe.Next() == CRand15::kMax) {
            break;
        }
        generator.Next();
    }
    CDibImage image = UniformGrey(1, 1, 200);
    ASSERT_TRUE(image.AddNoise(100, generator));
    EXPECT_EQ(Level(image, 0, 0), 72);  // (200 + 128) modulo 256
}

void ExpectRowWalkMatchesPerPixel(int bits, int percent, bool subRegion) {
    for (std::uint32_t seed = 1; seed <= 3; ++seed) {
        CDibImage fast = RandomImage(13 + static_cast<int>(seed), 9, bits, seed);
        if (subRegion) {
            SetRect(fast, 2, 1, 10, 7);
        }
        CDibImage slow = fast;
        CRand15 g1;
        CRand15 g2;
        ASSERT_TRUE(AddNoiseWalk(fast, percent, g1, WalkPath::kFastest));
        ASSERT_TRUE(AddNoiseWalk(slow, percent, g2, WalkPath::kPerPixel));
        EXPECT_EQ(AllPixels(fast), AllPixels(slow)) << bits << " noise " << percent;
        EXPECT_EQ(g1.Next(), g2.Next());
        const ChannelMap map = ContrastMap(170);
        ASSERT_TRUE(MapChannels(fast, 1005, map, WalkPath::kFastest));
        ASSERT_TRUE(MapChannels(slow, 1005, map, WalkPath::kPerPixel));
        EXPECT_EQ(AllPixels(fast), AllPixels(slow)) << bits << " contrast";
    }
}

TEST(EnhancePoint, RowWalksMatchPerPixelWalks) {
    for (int bits : {8, 24}) {
        for (bool sub : {false, true}) {
            ExpectRowWalkMatchesPerPixel(bits, 35, sub);
            ExpectRowWalkMatchesPerPixel(bits, 100, sub);
        }
    }
}

TEST(EnhanceStretch, UniformImageBecomesWhite) {
    CDibImage image = UniformGrey(6, 3, 17);
    ASSERT_TRUE(image.HistogramStretch());
    EXPECT_EQ(AllPixels(image), AllPixels(UniformGrey(6, 3, 255)));
    EXPECT_TRUE(image.History().empty());
}

TEST(EnhanceStretch, CumulativeShareIgnoringRegion) {
    // Four pixels: indices 0, 10, 10, 200 -> 1/4, 3/4, 3/4, 4/4 of 255.
    CDibImage image = GreyFromRows({{0, 10, 10, 200}});
    SetRect(image, 0, 0, 1, 1);
    ASSERT_TRUE(image.HistogramStretch());
    EXPECT_EQ(AllPixels(image), AllPixels(GreyFromRows({{63, 191, 191, 255}})));
}

TEST(EnhanceStretch, OnlyEightBit) {
    CDibImage colour = RandomImage(3, 3, 24, 1);
    EXPECT_FALSE(colour.HistogramStretch());
}

TEST(EnhanceStretch, RowWalkMatchesPerPixel) {
    for (std::uint32_t seed = 1; seed <= 4; ++seed) {
        CDibImage fast = RandomImage(17 + static_cast<int>(seed), 11, 8, seed);
        CDibImage slow = fast;
        ASSERT_TRUE(StretchHistogram(fast, WalkPath::kFastest));
        ASSERT_TRUE(StretchHistogram(slow, WalkPath::kPerPixel));
        EXPECT_EQ(AllPixels(fast), AllPixels(slow));
    }
}

}  // namespace
