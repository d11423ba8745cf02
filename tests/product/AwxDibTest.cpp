#include "product/AwxDib.h"

#include <gtest/gtest.h>

#include "ProductTestFiles.h"
#include "product/CGeoImage.h"

namespace {

std::vector<std::uint8_t> DibOf(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        return {};
    }
    auto block = ReadAwxDib(file);
    std::fclose(file);
    return block;
}

// Pixel (x, y) of the packed block, y counted from the top row.
std::uint8_t PixelAt(const std::vector<std::uint8_t>& dib, int width, int height, int x, int y) {
    const std::size_t stride = DibStride8(static_cast<std::size_t>(width));
    return dib[40 + 1024 + static_cast<std::size_t>(height - 1 - y) * stride + x];
}

TEST(AwxDib, InfoHeaderAndGreyRamp) {
    CTempDir dir;
    const auto dib = DibOf(WriteProduct(dir, "a.awx", MakeAwxProduct(SmallProduct())));
    ASSERT_EQ(dib.size(), 40u + 1024u + 40u * 30u);
    const std::uint8_t* h = dib.data();
    EXPECT_EQ(ReadInt32LE(h), 40);
    EXPECT_EQ(ReadInt32LE(h + 4), 40);
    EXPECT_EQ(ReadInt32LE(h + 8), 30);
    EXPECT_EQ(ReadInt16LE(h + 12), 1);
    EXPECT_EQ(ReadInt16LE(h + 14), 8);
    EXPECT_EQ(ReadInt32LE(h + 16), 0);
    EXPECT_EQ(ReadInt32LE(h + 20), 40 * 30);
    EXPECT_EQ(ReadInt32LE(h + 24), 188);
    EXPECT_EQ(ReadInt32LE(h + 28), 188);
    EXPECT_EQ(ReadInt32LE(h + 32), 256);
    EXPECT_EQ(ReadInt32LE(h + 36), 0);
    for (int i = 0; i < 256; ++i) {
        const std::uint8_t* entry = h + 40 + 4 * i;
        ASSERT_EQ(entry[0], i);
        ASSERT_EQ(entry[1], i);
        ASSERT_EQ(entry[2], i);
        ASSERT_EQ(entry[3], 0);
    }
}

TEST(AwxDib, RowsBottomUpPaddedToFourBytes) {
    CTempDir dir;
    for (int width : {37, 38, 39, 40}) {
        AwxWriterOptions o = SmallProduct();
        o.width = width;
        const auto bytes = MakeAwxProduct(o);
        const auto dib = DibOf(WriteProduct(dir, "w.awx", bytes));
        const std::size_t stride = DibStride8(width);
        ASSERT_EQ(dib.size(), 40u + 1024u + stride * 30u) << width;
        EXPECT_EQ(ReadInt32LE(dib.data() + 20), static_cast<std::int32_t>(stride * 30));
        const auto counts = TrailingCounts(bytes, static_cast<std::size_t>(width) * 30);
        for (int y = 0; y < 30; ++y) {
            for (int x = 0; x < width; ++x) {
                ASSERT_EQ(PixelAt(dib, width, 30, x, y), counts[y * width + x]) << x << "," << y;
            }
            for (std::size_t pad = width; pad < stride; ++pad) {
                ASSERT_EQ(dib[40 + 1024 + y * stride + pad], 0);
            }
        }
    }
}

TEST(AwxDib, ReadsFromTheEndSoTrailingBytesShiftTheImage) {
    CTempDir dir;
    AwxWriterOptions o = SmallProduct();
    o.trailingBytes = 40;  // exactly one row
    const auto bytes = MakeAwxProduct(o);
    const std::string path = WriteProduct(dir, "t.awx", bytes);
    const auto dib = DibOf(path);
    ASSERT_FALSE(dib.empty());
    const auto counts = TrailingCounts(bytes, 40 * 30, 40);
    // The trailing row shows as the bottom row; everything else moves up one.
    for (int y = 0; y + 1 < 30; ++y) {
        ASSERT_EQ(PixelAt(dib, 40, 30, 5, y), counts[(y + 1) * 40 + 5]) << y;
    }
    EXPECT_EQ(PixelAt(dib, 40, 30, 5, 29), bytes[bytes.size() - 40 + 5]);
    // The product read uses the header-record offset and is not shifted.
    CGeoImage product;
    ASSERT_TRUE(product.ReadProduct(path));
    EXPECT_EQ(product.CalibratedImage()[40 + 5], product.CalibrationTable()[counts[40 + 5]]);
}

TEST(AwxDib, LoadsWhereTheProductReadFails) {
    CTempDir dir;
    struct Row {
        const char* what;
        bool calibration;
        int width;
    };
    // Without calibration the image still displays; wider than 8192 neither
    // the product nor its image is read.
    const Row rows[] = {{"no calibration", false, 40},
                        {"wide real product", true, 2228},
                        {"wider than 8192", true, 8200}};
    for (const Row& row : rows) {
        AwxWriterOptions o = SmallProduct();
        o.calibration = row.calibration;
        o.width = row.width;
        o.height = 12;
        const std::string path = WriteProduct(dir, "l.awx", MakeAwxProduct(o));
        const std::size_t dib = row.width <= 8192 ? 40u + 1024u + DibStride8(row.width) * 12u : 0u;
        EXPECT_EQ(DibOf(path).size(), dib) << row.what;
        CGeoImage product;
        EXPECT_EQ(product.ReadProduct(path), row.width <= 8192) << row.what;
    }
}

TEST(AwxDib, RefusesBadHeadersAndShortFiles) {
    CTempDir dir;
    struct Row {
        const char* what;
        std::size_t at;
        std::int32_t value;
    };
    const Row rows[] = {
        {"category 3", kCategoryAt, 3},     {"identifier", kFormatIdAt, 'X' | ('A' << 8)},
        {"zero width", kWidthAt, 0},        {"zero height", kHeightAt, 0},
        {"65535 × 65535", kWidthAt, 65535}, {"more rows than the file holds", kHeightAt, 85},
    };
    for (const Row& row : rows) {
        auto bytes = MakeAwxProduct(SmallProduct());
        Patch16(bytes, row.at, row.value);
        if (row.at == kWidthAt && row.value == 65535) {
            Patch16(bytes, kHeightAt, 65535);
        }
        EXPECT_TRUE(DibOf(WriteProduct(dir, "r.awx", bytes)).empty()) << row.what;
    }
    const auto bytes = MakeAwxProduct(SmallProduct());
    EXPECT_TRUE(DibOf(WriteProduct(dir, "s.awx", {bytes.begin(), bytes.begin() + 100})).empty());
    EXPECT_TRUE(ReadAwxDib(nullptr).empty());
}

}  // namespace
