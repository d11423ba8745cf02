// Opening a file as the document does: an AWX file's pixels are read once,
// the product's counts being the image's rows, and whatever is done to the
// image afterwards never changes the product's values.

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "EnhanceImages.h"
#include "image/CDibImage.h"
#include "image/OpenImageFile.h"
#include "product/CGeoImage.h"
#include "support/TestSupport.h"
#include "synth/AwxWriter.h"

namespace {

struct OpenCase {
    const char* name;
    const char* fileName;
    std::size_t trailing;
    bool sharesRows;
};

const OpenCase kCases[] = {
    {"Plain", "a.awx", 0, true},
    {"UpperCaseExtension", "A.AWX", 0, true},
    {"TrailingBytesReadApart", "t.awx", 57, false},
};

class OpenAwxFile : public ::testing::TestWithParam<OpenCase> {};

TEST_P(OpenAwxFile, ProductCountsAreTheImageRowsOnlyWhenTheyAreTheData) {
    const OpenCase& c = GetParam();
    CTempDir dir;
    AwxWriterOptions options;
    options.width = 37;  // rows padded to 40 in the image
    options.height = 21;
    options.trailingBytes = c.trailing;
    const std::vector<std::uint8_t> bytes = MakeAwxProduct(options);
    const std::string path = dir.File(c.fileName);
    ASSERT_TRUE(WriteFileBytes(path, bytes));

    CGeoImage product;
    CDibImage image;
    const OpenedImageFile opened = OpenImageFile(path, product, image);
    ASSERT_TRUE(opened.productRead);
    ASSERT_TRUE(opened.imageLoaded);
    const int w = options.width;
    const int h = options.height;
    const std::uint8_t* topImageRow =
        std::as_const(image).LockBits() + static_cast<std::ptrdiff_t>(image.Stride()) * (h - 1);
    EXPECT_EQ(product.CountsRow(0) == topImageRow, c.sharesRows);

    // The product's data end where the trailing bytes begin; the image takes
    // the file's last bytes.
    const std::size_t pixels = static_cast<std::size_t>(w) * h;
    const std::size_t data = bytes.size() - c.trailing - pixels;
    const std::size_t last = bytes.size() - pixels;
    std::vector<float> values;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const std::size_t j = static_cast<std::size_t>(y) * w + x;
            ASSERT_EQ(product.CountsRow(y)[x], bytes[data + j]);
            ASSERT_EQ(Level(image, x, y), bytes[last + j]);
            float value = 0.0f;
            ASSERT_TRUE(product.CalibratedValueAt(x, y, value));
            values.push_back(value);
        }
    }
    const std::vector<std::uint8_t> loaded = image.Block();
    ASSERT_TRUE(image.Brightness(170));
    ASSERT_TRUE(image.MedianSmooth());
    ASSERT_TRUE(image.SetPixel(0, 0, 0));
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            float value = 0.0f;
            ASSERT_TRUE(product.CalibratedValueAt(x, y, value));
            ASSERT_EQ(value, values[static_cast<std::size_t>(y) * w + x]) << x << "," << y;
        }
    }
    ASSERT_TRUE(image.RestoreFirstState());
    EXPECT_EQ(image.Block(), loaded);
}

INSTANTIATE_TEST_SUITE_P(Files, OpenAwxFile, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(OpenImageFiles, PictureFilesLeaveTheProductUnread) {
    CTempDir dir;
    CDibImage picture = RandomImage(9, 5, 24, 2);
    const std::string path = dir.File("p.bmp");
    ASSERT_TRUE(picture.Save(path));
    CGeoImage product;
    CDibImage image;
    const OpenedImageFile opened = OpenImageFile(path, product, image);
    EXPECT_FALSE(opened.productRead);
    EXPECT_TRUE(opened.imageLoaded);
    EXPECT_TRUE(product.Calibrated().Empty());
    EXPECT_EQ(AllPixels(image), AllPixels(picture));
}

}  // namespace
