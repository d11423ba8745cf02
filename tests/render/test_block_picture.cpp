// A picture composed in a block and turned into the saved image in that same
// memory gives the very bytes FromDeviceBitmap makes of it, for widths with
// every amount of row padding, and a replaced picture is told apart.

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <random>
#include <utility>
#include <vector>

#include "image/CDibImage.h"
#include "render/DibQImage.h"

namespace {

TEST(BlockPicture, BecomesTheImageFromDeviceBitmapMakes) {
    const struct {
        int width, height;
    } sizes[] = {{1, 1}, {1, 5}, {2, 3},  {3, 7},  {4, 2},
                 {5, 5}, {7, 1}, {13, 9}, {64, 3}, {190, 13}};
    std::mt19937 random(3);
    for (const auto& size : sizes) {
        std::vector<std::uint8_t> block;
        QImage picture = MakeBlockPicture(block, size.width, size.height);
        ASSERT_FALSE(picture.isNull());
        ASSERT_TRUE(IsBlockPicture(block, picture));
        {
            QPainter painter(&picture);
            painter.fillRect(0, 0, size.width, size.height, QColor(10, 20, 30));
        }
        for (int y = 0; y < size.height; ++y) {
            QRgb* row = reinterpret_cast<QRgb*>(picture.scanLine(y));
            for (int x = 0; x < size.width; ++x) {
                row[x] = 0xFF000000u | (random() & 0xFFFFFFu);
            }
        }
        ASSERT_TRUE(IsBlockPicture(block, picture));
        CDibImage expected;
        ASSERT_TRUE(FromDeviceBitmap(expected, picture));
        picture = QImage();
        CDibImage made;
        ASSERT_TRUE(BlockPictureToImage(std::move(block), size.width, size.height, made));
        EXPECT_EQ(made.Block(), expected.Block()) << size.width << "x" << size.height;
    }
}

TEST(BlockPicture, OtherPicturesAndSizesAreRefused) {
    std::vector<std::uint8_t> block;
    const QImage picture = MakeBlockPicture(block, 8, 4);
    EXPECT_FALSE(IsBlockPicture(block, QImage(8, 4, QImage::Format_RGB32)));
    EXPECT_FALSE(IsBlockPicture(block, picture.copy()));
    CDibImage image;
    EXPECT_FALSE(BlockPictureToImage(std::vector<std::uint8_t>(block), 9, 4, image));
    EXPECT_TRUE(image.IsEmpty());
    EXPECT_TRUE(MakeBlockPicture(block, 0, 4).isNull());
}

}  // namespace
