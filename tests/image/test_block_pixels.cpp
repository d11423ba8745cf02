// A picture composed in a block and turned into the saved image in that same
// memory gives the very bytes DevicePixelsToImage makes of it, for widths
// with every amount of row padding, and other pixels are told apart.

#include <gtest/gtest.h>

#include <random>
#include <utility>
#include <vector>

#include "image/CDibImage.h"
#include "image/DeviceConversion.h"

namespace {

TEST(BlockPixels, BecomesTheImageTheConversionMakes) {
    const struct {
        int width, height;
    } sizes[] = {{1, 1}, {1, 5}, {2, 3},  {3, 7},  {4, 2},
                 {5, 5}, {7, 1}, {13, 9}, {64, 3}, {190, 13}};
    std::mt19937 random(3);
    for (const auto& size : sizes) {
        std::vector<std::uint8_t> block;
        const DevicePixels picture = MakeBlockPixels(block, size.width, size.height);
        ASSERT_FALSE(picture.Empty());
        ASSERT_TRUE(IsBlockPixels(block, picture));
        for (int y = 0; y < size.height; ++y) {
            std::uint32_t* row = picture.Row(y);
            for (int x = 0; x < size.width; ++x) {
                row[x] = 0xFF000000u | (random() & 0xFFFFFFu);
            }
        }
        CDibImage expected;
        ASSERT_TRUE(DevicePixelsToImage(expected, picture));
        CDibImage made;
        ASSERT_TRUE(BlockPixelsToImage(std::move(block), size.width, size.height, made));
        EXPECT_EQ(made.Block(), expected.Block()) << size.width << "x" << size.height;
    }
}

TEST(BlockPixels, OtherPicturesAndSizesAreRefused) {
    std::vector<std::uint8_t> block;
    const DevicePixels picture = MakeBlockPixels(block, 8, 4);
    std::vector<std::uint32_t> elsewhere(8 * 4);
    EXPECT_FALSE(IsBlockPixels(block, DevicePixels{elsewhere.data(), 8, 8, 4}));
    EXPECT_FALSE(IsBlockPixels(block, DevicePixels{picture.top, 8, 8, 3}));
    CDibImage image;
    EXPECT_FALSE(BlockPixelsToImage(std::vector<std::uint8_t>(block), 9, 4, image));
    EXPECT_TRUE(image.IsEmpty());
    EXPECT_TRUE(MakeBlockPixels(block, 0, 4).Empty());
}

}  // namespace
