#include <gtest/gtest.h>

#include "image/CDibImage.h"

namespace {

std::uint32_t PixelAt(const CDibImage& image, int x, int y) {
    std::uint32_t v = 0xFFFFFFFF;
    image.GetPixel(x, y, v);
    return v & 0xFF;
}

TEST(DibHistory, NamesOfTheStringIds) {
    EXPECT_EQ(HistoryNameOf(kIdsAdjustBrightness), "Adjust Brightness");
    EXPECT_EQ(HistoryNameOf(kIdsContrast), "Contrast");
    EXPECT_EQ(HistoryNameOf(kIdsAdjustNegate), "Adjust Negate");
    EXPECT_EQ(HistoryNameOf(kIdsFilter), "Filter");
    EXPECT_EQ(HistoryNameOf(kIdsAddNoise), "Add Noise");
    EXPECT_EQ(HistoryNameOf(1006), "");
}

TEST(DibHistory, FifthPushDropsTheOldest) {
    CDibImage image;
    EXPECT_FALSE(image.PushHistory(kIdsFilter));
    ASSERT_TRUE(image.CreateBlank(3, 3, 8));
    const int ids[] = {kIdsAdjustBrightness, kIdsContrast, kIdsAdjustNegate,
                       kIdsFilter,           kIdsAddNoise, kIdsContrast};
    for (int i = 0; i < 6; ++i) {
        ASSERT_TRUE(image.SetPixel(0, 0, static_cast<std::uint32_t>(i)));
        ASSERT_TRUE(image.PushHistory(ids[i]));
        EXPECT_LE(image.History().size(), 4u);
    }
    ASSERT_EQ(image.History().size(), 4u);
    EXPECT_EQ(image.History()[0].name, "Adjust Negate");
    EXPECT_EQ(PixelAt(*image.History()[0].image, 0, 0), 2u);
    EXPECT_EQ(image.History()[3].name, "Contrast");
    EXPECT_EQ(PixelAt(*image.History()[3].image, 0, 0), 5u);
}

TEST(DibHistory, RollBackRestoresNewestAndFillsForward) {
    CDibImage image;
    ASSERT_TRUE(image.CreateBlank(3, 3, 8));
    EXPECT_FALSE(image.RollBack());
    ASSERT_TRUE(image.SetPixel(1, 1, 10));
    ASSERT_TRUE(image.PushHistory(kIdsAdjustBrightness));
    ASSERT_TRUE(image.SetPixel(1, 1, 20));
    ASSERT_TRUE(image.PushHistory(kIdsAdjustNegate));
    ASSERT_TRUE(image.SetPixel(1, 1, 30));
    image.SetRegion(std::make_unique<CImageRegion>(0, 0, 2, 2));

    ASSERT_TRUE(image.RollBack());
    EXPECT_EQ(PixelAt(image, 1, 1), 20u);
    EXPECT_EQ(image.Region().Bounds().right, 3) << "region comes with the restored state";
    ASSERT_EQ(image.History().size(), 1u);
    ASSERT_EQ(image.ForwardHistory().size(), 1u);
    EXPECT_EQ(image.ForwardHistory()[0].name, "Adjust Negate");
    EXPECT_EQ(PixelAt(*image.ForwardHistory()[0].image, 1, 1), 30u);

    ASSERT_TRUE(image.RollBack());
    EXPECT_EQ(PixelAt(image, 1, 1), 10u);
    EXPECT_TRUE(image.History().empty());
    ASSERT_EQ(image.ForwardHistory().size(), 2u);
    EXPECT_EQ(image.ForwardHistory()[1].name, "Adjust Brightness");
    EXPECT_FALSE(image.RollBack());
}

TEST(DibHistory, FirstStateRestoresAnyNumberOfTimes) {
    CDibImage image;
    EXPECT_FALSE(image.SaveFirstState());
    EXPECT_FALSE(image.RestoreFirstState());
    ASSERT_TRUE(image.CreateBlank(4, 2, 8));
    ASSERT_TRUE(image.SetPixel(3, 1, 77));
    ASSERT_TRUE(image.SaveFirstState());
    const std::vector<std::uint8_t> loaded = image.Block();
    for (int round = 0; round < 2; ++round) {
        ASSERT_TRUE(image.SetPixel(3, 1, 5));
        ASSERT_TRUE(image.RestoreFirstState());
        EXPECT_EQ(image.Block(), loaded) << "round " << round;
        EXPECT_TRUE(image.HasFirstState());
    }
    image.Release();
    EXPECT_TRUE(image.IsEmpty());
    EXPECT_FALSE(image.HasFirstState());
}

}  // namespace
