#include <gtest/gtest.h>

#include "EnhanceImages.h"
#include "image/FilterDriver.h"
#include "image/FilterKernels.h"
#include "image/MeanFilter.h"
#include "image/MedianFilter.h"

namespace {

TEST(EnhanceFilters, WeightsAreStoredColumnByColumn) {
    const CConvolutionFilter emboss = MakeEmbossFilter();
    // Rows (-1, -2, 0) / (-2, 0, 2) / (0, 2, 1) read down the columns.
    const std::array<int, 9> expected = {-1, -2, 0, -2, 0, 2, 0, 2, 1};
    EXPECT_EQ(emboss.Weights(), expected);
    EXPECT_EQ(emboss.Weight(1, -1), 0);  // above right
    EXPECT_EQ(emboss.Weight(-1, 1), 0);  // below left
    EXPECT_EQ(emboss.Weight(1, 1), 1);
    const CLargeConvolutionFilter blur = MakeBlurFilter();
    EXPECT_EQ(blur.Weights()[CLargeConvolutionFilter::WeightNumber(0, 0)], -4);
    EXPECT_EQ(blur.Weights()[7 * 3 + 2], 4);  // dx 0, dy -1
    EXPECT_EQ(blur.Weight(-3, -3), 0);
    EXPECT_EQ(blur.Divisor(), 16);
    CConvolutionFilter fresh;
    EXPECT_EQ(fresh.Weights()[4], 1);
    EXPECT_FALSE(fresh.SetDivisor(0));
    EXPECT_EQ(fresh.Divisor(), 1);
}

TEST(EnhanceFilters, MeanOfUniformImageDarkensBorders) {
    CDibImage image = UniformGrey(4, 3, 90);
    ASSERT_TRUE(image.MeanSmooth());
    EXPECT_EQ(AllPixels(image),
              AllPixels(GreyFromRows({{40, 60, 60, 40}, {60, 90, 90, 60}, {40, 60, 60, 40}})));
    ASSERT_EQ(image.History().size(), 1u);
    EXPECT_EQ(image.History().back().name, "Filter");
}

TEST(EnhanceFilters, SharpenOfUniformImageBrightensBorders) {
    CDibImage image = UniformGrey(4, 3, 50);
    ASSERT_TRUE(image.Sharpen());
    // Corner: 5*50 - 2*50; edge: 5*50 - 3*50.
    EXPECT_EQ(
        AllPixels(image),
        AllPixels(GreyFromRows({{150, 100, 100, 150}, {100, 50, 50, 100}, {150, 100, 100, 150}})));
}

TEST(EnhanceFilters, BlurOfUniformImage) {
    CDibImage image = UniformGrey(3, 3, 64);
    ASSERT_TRUE(image.Blur());
    // Corner: (4 + 4 + 1 - 4) * 64 / 16 = 20; edge (4+4+1+1+4-4)*64/16 = 40.
    EXPECT_EQ(AllPixels(image),
              AllPixels(GreyFromRows({{20, 40, 20}, {40, 64, 40}, {20, 40, 20}})));
}

TEST(EnhanceFilters, EmbossAndEdgeOnAStep) {
    // Dark left half, level 20 on the right half.
    CDibImage step = GreyFromRows({{0, 0, 20, 20}, {0, 0, 20, 20}, {0, 0, 20, 20}});
    CDibImage emboss = step;
    ASSERT_TRUE(emboss.Emboss());
    // Middle row, x = 1: only the right column (0, 2, 1) sees the bright
    // side: 3 * 20. x = 2: above -2*20, own 2*20, below 2*20 + 20: 60.
    // x = 3: the missing right column leaves a negative sum, clamped to 0.
    // Top row, x = 2: no row above, so own 40 + below 60 = 100.
    EXPECT_EQ(AllPixels(emboss),
              AllPixels(GreyFromRows({{0, 60, 100, 0}, {0, 60, 60, 0}, {0, 40, 0, 0}})));
    CDibImage edge = step;
    ASSERT_TRUE(edge.EdgeDetect());
    // Brighter to the right at x = 1: (1 + 2 + 1) * 20 = 80; on the top row
    // the missing row above leaves 60 horizontally and 20 vertically.
    EXPECT_EQ(Level(edge, 1, 1), 80);
    EXPECT_EQ(Level(edge, 1, 0), 60);
    EXPECT_EQ(Level(edge, 0, 1), 0);
    // At x = 3 the picture darkens to the right (missing neighbours): 0
    // horizontally; vertically the bottom row sees only rows above: -80 -> 0,
    // while the top row sees the row below: 80.
    EXPECT_EQ(Level(edge, 3, 1), 0);
    EXPECT_EQ(Level(edge, 3, 0), 60);
    EXPECT_EQ(Level(edge, 3, 2), 0);
}

TEST(EnhanceFilters, MedianPositionCountOverTwo) {
    CDibImage image = GreyFromRows({{9, 1, 7}, {3, 5, 2}, {8, 4, 6}});
    ASSERT_TRUE(image.MedianSmooth());
    // Centre: the fifth of 1..9. Corner (0, 0): {9, 1, 3, 5} sorted 1 3 5 9
    // -> position 2 = 5. Edge (1, 0): {9, 1, 7, 3, 5, 2} -> 1 2 3 5 7 9 -> 5.
    EXPECT_EQ(Level(image, 1, 1), 5);
    EXPECT_EQ(Level(image, 0, 0), 5);
    EXPECT_EQ(Level(image, 1, 0), 5);
    // Corner (2, 2): {5, 2, 4, 6} -> 2 4 5 6 -> 5.
    EXPECT_EQ(Level(image, 2, 2), 5);
    // Corner (2, 0): {1, 7, 5, 2} -> 1 2 5 7 -> 5; (0, 2): {3, 5, 8, 4} -> 5.
    EXPECT_EQ(Level(image, 0, 2), 5);
}

TEST(EnhanceFilters, MedianOrdersColoursBySumStably) {
    // Two different colours with equal sums: the first met in reading order
    // stays first, so the result is fixed.
    CDibImage image;
    image.CreateBlank(2, 1, 24);
    image.SetPixel(0, 0, 0x00000063);  // red 99
    image.SetPixel(1, 0, 0x00630000);  // blue 99
    ASSERT_TRUE(image.MedianSmooth());
    // Two pixels each side: position 1 of (red, blue) in reading order.
    EXPECT_EQ(PixelOf(image, 0, 0), 0x00630000u);
    EXPECT_EQ(PixelOf(image, 1, 0), 0x00630000u);
}

TEST(EnhanceFilters, SubRegionIsFilteredFromItsOwnCopy) {
    CDibImage image = UniformGrey(6, 6, 90);
    SetRect(image, 1, 1, 4, 5);
    ASSERT_TRUE(image.MeanSmooth());
    // The copy holds only the bounds, so the region's corner sees 4 pixels.
    EXPECT_EQ(Level(image, 1, 1), 40);
    EXPECT_EQ(Level(image, 2, 2), 90);
    EXPECT_EQ(Level(image, 0, 0), 90);
    EXPECT_EQ(Level(image, 4, 4), 90);
}

TEST(EnhanceFilters, ColourChannelsFilteredAlone) {
    CDibImage image;
    image.CreateBlank(3, 3, 24);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 3; ++x) {
            image.SetPixel(x, y, 0x00905a24);  // blue 144, green 90, red 36
        }
    }
    ASSERT_TRUE(image.MeanSmooth());
    EXPECT_EQ(PixelOf(image, 1, 1), 0x00905a24u);
    EXPECT_EQ(PixelOf(image, 0, 0),
              static_cast<std::uint32_t>((144 * 4 / 9) << 16 | (90 * 4 / 9) << 8 | 36 * 4 / 9));
}

// Every filter through the grey form and through the per-pixel driver gives
// the same pixels, also at borders and in a sub-region.
TEST(EnhanceFilters, GreyFormMatchesPerPixelDriver) {
    const CLargeConvolutionFilter blur = MakeBlurFilter();
    EXPECT_TRUE(blur.FitsShortSums());
    const CConvolutionFilter sharpen = MakeSharpenFilter();
    const CConvolutionFilter emboss = MakeEmbossFilter();
    const CEdgeFilter edge = MakeEdgeFilter();
    const CMedianFilter median;
    const CMeanFilter mean;
    CConvolutionFilter odd;
    odd.SetRows({{{3, -7, 2}, {1, 11, -5}, {0, 4, -1}}});
    odd.SetDivisor(-3);
    odd.SetBias(17);
    CConvolutionFilter wide;  // sums beyond 16 bits
    wide.SetRows({{{0, -90, 0}, {200, 300, -250}, {0, 1, 0}}});
    wide.SetDivisor(7);
    const CImageFilter* filters[] = {&blur, &sharpen, &emboss, &edge, &median, &mean, &odd, &wide};
    struct Shape {
        int width, height;
        DibRect region;
    };
    const Shape shapes[] = {
        {1, 1, {0, 0, 1, 1}},     {2, 1, {0, 0, 2, 1}},   {1, 3, {0, 0, 1, 3}},
        {2, 2, {0, 0, 2, 2}},     {33, 7, {0, 0, 33, 7}}, {70, 41, {0, 0, 70, 41}},
        {40, 30, {3, 5, 37, 29}}, {9, 9, {8, 0, 9, 9}},
    };
    std::uint32_t seed = 1;
    for (const Shape& shape : shapes) {
        for (std::size_t f = 0; f < std::size(filters); ++f) {
            CDibImage fast = RandomImage(shape.width, shape.height, 8, seed++);
            const DibRect& r = shape.region;
            SetRect(fast, r.left, r.top, r.right, r.bottom);
            CDibImage slow = fast;
            ASSERT_TRUE(RunFilter(fast, *filters[f], WalkPath::kFastest));
            ASSERT_TRUE(RunFilter(slow, *filters[f], WalkPath::kPerPixel));
            EXPECT_EQ(AllPixels(fast), AllPixels(slow))
                << "filter " << f << " on " << shape.width << "x" << shape.height;
            EXPECT_EQ(fast.History().size(), 1u);
        }
    }
}

}  // namespace
