// A product keeps counts and table only: every way of reading its values
// (rows, pixels, the grid view, the whole float image) gives the table's
// value of the count in the file, at borders and outside the image too; and
// counts handed over from an image of the same file are taken only when they
// are the product's data.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ProductTestFiles.h"
#include "product/CGeoImage.h"

namespace {

struct CountsCase {
    const char* name;
    int width, height;
    int recordLength, headerRecords;
    std::size_t trailing;
};

const CountsCase kCases[] = {
    {"Plain", 40, 30, 0, 0, 0},          {"OddWidth", 37, 11, 0, 0, 0},
    {"Short", 64, 16, 0, 0, 0},          {"HeaderRecords", 40, 30, 1000, 3, 0},
    {"TrailingBytes", 40, 30, 0, 0, 99},
};

class CalibratedCounts : public ::testing::TestWithParam<CountsCase> {
protected:
    std::vector<std::uint8_t> Bytes() const {
        const CountsCase& c = GetParam();
        AwxWriterOptions o = SmallProduct();
        o.width = c.width;
        o.height = c.height;
        o.recordLength = c.recordLength;
        o.headerRecords = c.headerRecords;
        o.trailingBytes = c.trailing;
        return MakeAwxProduct(o);
    }
    CTempDir m_dir;
};

TEST_P(CalibratedCounts, EveryReadingGivesTheTableValueOfTheFileCount) {
    const CountsCase& c = GetParam();
    const std::vector<std::uint8_t> bytes = Bytes();
    CGeoImage product;
    ASSERT_TRUE(product.ReadProduct(WriteProduct(m_dir, "p.awx", bytes)));
    const auto counts =
        TrailingCounts(bytes, static_cast<std::size_t>(c.width) * c.height, c.trailing);
    const auto& table = product.CalibrationTable();
    const CalibratedGrid grid = product.Calibrated();
    ASSERT_FALSE(grid.Empty());
    EXPECT_EQ(grid.width, c.width);
    EXPECT_EQ(grid.height, c.height);
    const float* image = product.CalibratedImage();
    std::vector<float> row(static_cast<std::size_t>(c.width));
    for (int y = 0; y < c.height; ++y) {
        ASSERT_TRUE(product.CalibratedRow(y, row.data()));
        for (int x = 0; x < c.width; ++x) {
            const std::size_t j = static_cast<std::size_t>(y) * c.width + x;
            const float expected = table[counts[j]];
            float value = 0.0f;
            ASSERT_TRUE(product.CalibratedValueAt(x, y, value));
            ASSERT_EQ(value, expected) << x << "," << y;
            ASSERT_EQ(row[static_cast<std::size_t>(x)], expected);
            ASSERT_EQ(grid.At(x, y), expected);
            ASSERT_EQ(image[j], expected);
            ASSERT_EQ(product.CountsRow(y)[x], counts[j]);
        }
    }
    float value = 0.0f;
    for (auto [x, y] : {std::pair{-1, 0}, {c.width, 0}, {0, -1}, {0, c.height}}) {
        EXPECT_FALSE(product.CalibratedValueAt(x, y, value)) << x << "," << y;
    }
    EXPECT_FALSE(product.CalibratedRow(c.height, row.data()));
    EXPECT_EQ(product.CountsRow(-1), nullptr);
}

// Counts laid out as the image reader holds them: the file's last width x
// height bytes, bottom row first, in rows of stride bytes.
struct HeldCounts {
    std::shared_ptr<std::vector<std::uint8_t>> rows;
    SharedCounts counts;
};

HeldCounts HoldLastBytes(const std::vector<std::uint8_t>& bytes, int width, int height) {
    const int stride = (width + 3) / 4 * 4;
    HeldCounts held;
    held.rows =
        std::make_shared<std::vector<std::uint8_t>>(static_cast<std::size_t>(stride) * height);
    const std::size_t start = bytes.size() - static_cast<std::size_t>(width) * height;
    for (int y = 0; y < height; ++y) {
        std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(start + y * width), width,
                    held.rows->begin() + static_cast<std::ptrdiff_t>((height - 1 - y) * stride));
    }
    held.counts.owner = held.rows;
    held.counts.topRow = held.rows->data() + static_cast<std::size_t>(height - 1) * stride;
    held.counts.rowStride = -stride;
    held.counts.width = width;
    held.counts.height = height;
    return held;
}

TEST_P(CalibratedCounts, HeldCountsAreTakenOnlyWhenTheyAreTheData) {
    const CountsCase& c = GetParam();
    const std::vector<std::uint8_t> bytes = Bytes();
    const std::string path = WriteProduct(m_dir, "p.awx", bytes);
    const HeldCounts held = HoldLastBytes(bytes, c.width, c.height);
    CGeoImage shared;
    ASSERT_TRUE(shared.ReadProduct(path, &held.counts));
    CGeoImage own;
    ASSERT_TRUE(own.ReadProduct(path));
    // With trailing bytes the last bytes are not the data: read again.
    EXPECT_EQ(shared.CountsRow(0) == held.counts.topRow, c.trailing == 0);
    for (int y = 0; y < c.height; ++y) {
        ASSERT_TRUE(std::equal(own.CountsRow(y), own.CountsRow(y) + c.width, shared.CountsRow(y)))
            << y;
    }
    // Held counts of another size are never taken.
    SharedCounts other = held.counts;
    other.width -= 1;
    CGeoImage mismatched;
    ASSERT_TRUE(mismatched.ReadProduct(path, &other));
    EXPECT_NE(mismatched.CountsRow(0), held.counts.topRow);
}

INSTANTIATE_TEST_SUITE_P(Layouts, CalibratedCounts, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CalibratedCountsCopies, ShareCountsAndTheFloatImageMadeOnRequest) {
    CTempDir dir;
    CGeoImage product;
    ASSERT_TRUE(product.ReadProduct(WriteProduct(dir, "p.awx", MakeAwxProduct(SmallProduct()))));
    const CGeoImage copy = product;
    EXPECT_EQ(copy.CountsIdentity(), product.CountsIdentity());
    EXPECT_EQ(copy.CountsRow(3), product.CountsRow(3));
    EXPECT_EQ(copy.CalibratedImage(), product.CalibratedImage());
    CGeoImage empty;
    EXPECT_TRUE(empty.Calibrated().Empty());
    EXPECT_EQ(empty.CalibratedImage(), nullptr);
    EXPECT_EQ(empty.CountsIdentity(), nullptr);
}

}  // namespace
