#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <array>

#include "image/CDibImage.h"
#include "render/DibQImage.h"

namespace {

// A 5 x 3 8-bit image whose index is 10 y + x, with a colour table that
// makes index i (i, 255 - i, 7).
CDibImage IndexedImage() {
    CDibImage image;
    EXPECT_TRUE(image.CreateBlank(5, 3, 8));
    std::array<RgbQuad, 256> table{};
    for (int i = 0; i < 256; ++i) {
        table[i] = RgbQuad{static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i), 7, 0};
    }
    EXPECT_TRUE(image.SetColorTable(table));
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 5; ++x) {
            EXPECT_TRUE(image.SetPixel(x, y, static_cast<std::uint32_t>(10 * y + x)));
        }
    }
    return image;
}

TEST(DibQImageTest, EightBitThroughTheColourTableTopRowFirst) {
    const QImage picture = ToDeviceBitmap(IndexedImage());
    ASSERT_FALSE(picture.isNull());
    EXPECT_EQ(picture.format(), QImage::Format_RGB32);
    ASSERT_EQ(picture.size(), QSize(5, 3));
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 5; ++x) {
            const int i = 10 * y + x;
            EXPECT_EQ(picture.pixel(x, y), qRgb(i, 255 - i, 7)) << x << "," << y;
        }
    }
}

TEST(DibQImageTest, TwentyFourBitByBytes) {
    CDibImage image;
    ASSERT_TRUE(image.CreateBlank(3, 2, 24));
    ASSERT_TRUE(image.SetPixel(0, 0, 0x00030201));  // red 1, green 2, blue 3
    ASSERT_TRUE(image.SetPixel(2, 1, 0x00FFEEDD));
    const QImage picture = ToDeviceBitmap(image);
    EXPECT_EQ(picture.pixel(0, 0), qRgb(1, 2, 3));
    EXPECT_EQ(picture.pixel(2, 1), qRgb(0xDD, 0xEE, 0xFF));
    EXPECT_EQ(picture.pixel(1, 1), qRgb(0, 0, 0));
}

TEST(DibQImageTest, EmptyImageHasNoPicture) {
    EXPECT_TRUE(ToDeviceBitmap(CDibImage()).isNull());
    CDibImage image;
    EXPECT_FALSE(FromDeviceBitmap(image, QImage()));
    EXPECT_TRUE(image.IsEmpty());
}

TEST(DibQImageTest, RoundTripGivesATwentyFourBitImage) {
    const CDibImage source = IndexedImage();
    const QImage picture = ToDeviceBitmap(source);
    CDibImage saved;
    ASSERT_TRUE(FromDeviceBitmap(saved, picture));
    EXPECT_EQ(saved.BitsPerPixel(), 24);
    EXPECT_EQ(saved.HeaderSize(), 40);
    EXPECT_EQ(saved.Width(), 5);
    EXPECT_EQ(saved.Height(), 3);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 5; ++x) {
            std::uint32_t value = 0;
            ASSERT_TRUE(saved.GetPixel(x, y, value));
            const int i = 10 * y + x;
            EXPECT_EQ(value, static_cast<std::uint32_t>(i | (255 - i) << 8 | 7 << 16));
        }
    }
    EXPECT_EQ(ToDeviceBitmap(saved), picture);
}

TEST(DibQImageTest, ConversionIntoAnExistingPictureNeedsItsSize) {
    const CDibImage image = IndexedImage();
    QImage same(5, 3, QImage::Format_RGB32);
    same.fill(0xFF000000u);
    ASSERT_TRUE(ToDeviceBitmap(image, same));
    EXPECT_EQ(same, ToDeviceBitmap(image));

    QImage other(10, 6, QImage::Format_RGB32);
    other.fill(0xFF000000u);
    const QImage before = other;
    EXPECT_FALSE(ToDeviceBitmap(image, other));
    EXPECT_EQ(other, before);  // untouched
    EXPECT_FALSE(ToDeviceBitmap(CDibImage(), same));
}

}  // namespace
