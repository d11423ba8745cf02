#include <gtest/gtest.h>

#include "AllocationProbe.h"
#include "ProductTestFiles.h"
#include "product/CGeoImage.h"
#include "synth/SynthCalibration.h"

namespace {

class ReadProduct : public ::testing::Test {
protected:
    std::string Write(const std::vector<std::uint8_t>& bytes) {
        return WriteProduct(m_dir, "p" + std::to_string(m_count++) + ".awx", bytes);
    }
    CTempDir m_dir;
    int m_count = 0;
};

TEST_F(ReadProduct, FillsDescriptionAndCalibratedImage) {
    AwxWriterOptions o = SmallProduct();
    o.channel = 3;
    o.satelliteName = "FY2H";
    const auto bytes = MakeAwxProduct(o);
    CGeoImage product;
    ASSERT_TRUE(product.ReadProduct(Write(bytes)));
    EXPECT_EQ(product.productLoaded, 1);
    const ProductDescription& d = product.Description();
    EXPECT_EQ(d.fileId, "SEC");
    EXPECT_EQ(d.version, "10");
    EXPECT_EQ(d.satelliteName, "FY2H");
    EXPECT_EQ(d.channel, 3);
    EXPECT_EQ(d.projection, EqualLatLon);
    EXPECT_EQ(d.width, 40);
    EXPECT_EQ(d.height, 30);
    EXPECT_FLOAT_EQ(d.centerLon, 97.5f);
    EXPECT_FLOAT_EQ(d.stdLon, d.centerLon);
    EXPECT_EQ(product.Params().type, EqualLatLon);
    EXPECT_NE(product.Params().eastLon, 0.0);

    const auto counts = TrailingCounts(bytes, 40 * 30);
    const float* image = product.CalibratedImage();
    ASSERT_NE(image, nullptr);
    for (std::size_t j = 0; j < counts.size(); ++j) {
        ASSERT_EQ(image[j], product.CalibrationTable()[counts[j]]) << j;
    }
}

TEST_F(ReadProduct, CalibrationUsesEveryFourthEntry) {
    auto bytes = MakeAwxProduct(SmallProduct());
    // Entry 255 and entry 1020 differ; count 255 must take entry 1020.
    Patch16(bytes, kAwxCalibrationOffset + 2 * 255, 11111);
    Patch16(bytes, kAwxCalibrationOffset + 2 * 1020, 17000);
    Patch16(bytes, kAwxCalibrationOffset + 2 * 4, 33000);
    CGeoImage product;
    ASSERT_TRUE(product.ReadProduct(Write(bytes)));
    EXPECT_EQ(product.CalibrationTable()[255], static_cast<float>(17000 * 0.01));
    EXPECT_EQ(product.CalibrationTable()[1], static_cast<float>(33000 * 0.01));
    EXPECT_NEAR(product.CalibrationTable()[100], SynthCalibratedValue(1, 100), 0.006);
}

// Visible products carry 64 albedo entries, one per step of 4 counts; only
// there, and only when nothing follows them, is count v looked up as v / 4.
TEST_F(ReadProduct, VisibleAlbedoTableIsLookedUpByQuarterCounts) {
    const struct {
        const char* what;
        int channel;
        bool fullTable;  // all 1024 entries set, not only the first 64
        int count;
        int entry;  // the entry the count's value must come from
    } cases[] = {
        {"visible, count 100", 5, false, 100, 25},
        {"visible, count 255", 5, false, 255, 63},
        {"visible, count 3", 5, false, 3, 0},
        {"visible with a full table", 5, true, 100, 400},
        {"infrared keeps entry 4v", 1, false, 10, 40},
        {"infrared, full table", 1, true, 255, 1020},
    };
    for (const auto& c : cases) {
        AwxWriterOptions o = SmallProduct();
        o.channel = c.channel;
        auto bytes = MakeAwxProduct(o);
        for (int k = 0; k < 1024; ++k) {
            const bool set = k < 64 || c.fullTable || k == c.entry;
            Patch16(bytes, kAwxCalibrationOffset + 2 * k, set ? 1000 + k : 0);
        }
        CGeoImage product;
        ASSERT_TRUE(product.ReadProduct(Write(bytes))) << c.what;
        EXPECT_EQ(product.CalibrationTable()[c.count], static_cast<float>((1000 + c.entry) * 0.01))
            << c.what;
    }
}

TEST_F(ReadProduct, AbsentCalibrationGivesZeros) {
    for (int length : {0, 2047, 2049, 1024}) {
        AwxWriterOptions o = SmallProduct();
        o.calibration = length == 1024;  // a block that is there but not 2048 long
        auto bytes = MakeAwxProduct(o);
        Patch16(bytes, kCalibrationLengthAt, length);
        CGeoImage product;
        ASSERT_TRUE(product.ReadProduct(Write(bytes))) << length;
        for (float value : product.CalibrationTable()) {
            ASSERT_EQ(value, 0.0f) << length;
        }
        EXPECT_EQ(product.CalibratedImage()[0], 0.0f);
    }
}

TEST_F(ReadProduct, DataAtHeaderRecordOffsetIgnoringTrailingBytes) {
    struct Row {
        int recordLength;
        int headerRecords;
        std::size_t trailing;
    };
    const Row rows[] = {{0, 0, 0}, {2152, 1, 0}, {1000, 3, 0}, {40, 0, 0}, {0, 0, 777}};
    for (const Row& row : rows) {
        AwxWriterOptions o = SmallProduct();
        o.recordLength = row.recordLength;
        o.headerRecords = row.headerRecords;
        o.trailingBytes = row.trailing;
        const auto bytes = MakeAwxProduct(o);
        CGeoImage product;
        ASSERT_TRUE(product.ReadProduct(Write(bytes))) << row.recordLength;
        const auto counts = TrailingCounts(bytes, 40 * 30, row.trailing);
        for (std::size_t j = 0; j < counts.size(); ++j) {
            ASSERT_EQ(product.CalibratedImage()[j], product.CalibrationTable()[counts[j]]);
        }
    }
}

TEST_F(ReadProduct, EqualLatLonResolutionInHundredthsTwice) {
    for (int field : {5, 500}) {
        auto bytes = MakeAwxProduct(SmallProduct());
        Patch16(bytes, kHorizontalResAt, field);
        Patch16(bytes, kVerticalResAt, field);
        CGeoImage product;
        ASSERT_TRUE(product.ReadProduct(Write(bytes))) << field;
        EXPECT_EQ(product.Description().horizontalResolution, 0.05f) << field;
        EXPECT_EQ(product.Description().verticalResolution, 0.05f) << field;
        EXPECT_DOUBLE_EQ(product.Params().resolution, static_cast<double>(0.05f));
    }
}

TEST_F(ReadProduct, KilometreResolutionKeptAsWritten) {
    AwxWriterOptions o = SmallProduct();
    o.projection = Lambert;
    o.resolution = 5.0;
    o.centerLon = 110.0;
    o.centerLat = 35.0;
    CGeoImage product;
    ASSERT_TRUE(product.ReadProduct(Write(MakeAwxProduct(o))));
    EXPECT_EQ(product.Description().verticalResolution, 5.0f);
    EXPECT_EQ(product.Description().projection, Lambert);
}

TEST_F(ReadProduct, RejectsBadHeaders) {
    struct Row {
        const char* what;
        std::size_t at;
        std::int32_t value;
    };
    const Row rows[] = {
        {"category 2", kCategoryAt, 2},
        {"category 0", kCategoryAt, 0},
        {"SAT2004 followed by a byte", kFormatIdAt + 6, '4' | ('X' << 8)},
        {"unknown projection", kProjectionAt, 6},
        {"negative header records", kHeaderRecordsAt, -1},
        {"negative record length", kRecordLengthAt, -40},
        {"offset past the end", kHeaderRecordsAt, 32767},
        {"width too large for the file", kWidthAt, 65535},
        {"image shorter than width × height", kHeightAt, 31},
    };
    for (const Row& row : rows) {
        auto bytes = MakeAwxProduct(SmallProduct());
        Patch16(bytes, row.at, row.value);
        CGeoImage product;
        product.productLoaded = 1;
        EXPECT_FALSE(product.ReadProduct(Write(bytes))) << row.what;
        EXPECT_EQ(product.productLoaded, 0) << row.what;
    }
}

TEST_F(ReadProduct, ShortOrMissingFiles) {
    const auto bytes = MakeAwxProduct(SmallProduct());
    for (std::size_t size : {0, 39, 40, 103}) {
        CGeoImage product;
        EXPECT_FALSE(product.ReadProduct(Write({bytes.begin(), bytes.begin() + size}))) << size;
    }
    CGeoImage product;
    EXPECT_FALSE(product.ReadProduct(m_dir.File("absent.awx")));
    EXPECT_EQ(product.productLoaded, 0);
}

TEST_F(ReadProduct, HostileSizesMakeNoLargeAllocation) {
    struct Row {
        std::int32_t width, height, headerRecords, recordLength;
    };
    const Row rows[] = {
        {65535, 65535, 1, 2152},  // 4 GiB of pixels in a small file
        {2000, 2000, -5, 2152},   // negative record count
        {40, 30, 1, -2152},       // negative record length
        {40, 30, 32767, 32767},   // offset far past the end
    };
    for (const Row& row : rows) {
        auto bytes = MakeAwxProduct(SmallProduct());
        Patch16(bytes, kWidthAt, row.width);
        Patch16(bytes, kHeightAt, row.height);
        Patch16(bytes, kHeaderRecordsAt, row.headerRecords);
        Patch16(bytes, kRecordLengthAt, row.recordLength);
        const std::string path = Write(bytes);
        CGeoImage product;
        CAllocationProbe probe;
        EXPECT_FALSE(product.ReadProduct(path));
        EXPECT_EQ(product.productLoaded, 0);
        EXPECT_LT(probe.Largest(), 64u * 1024u) << row.width;
    }
}

TEST_F(ReadProduct, TooWideForTheProjectionFails) {
    AwxWriterOptions o = SmallProduct();
    o.width = 8200;  // beyond the 8192 any real product reaches
    o.height = 12;
    CGeoImage product;
    EXPECT_FALSE(product.ReadProduct(Write(MakeAwxProduct(o))));
    EXPECT_EQ(product.productLoaded, 0);
}

TEST_F(ReadProduct, FailedHeaderLeavesDescription) {
    CGeoImage product;
    ASSERT_TRUE(product.ReadProduct(Write(MakeAwxProduct(SmallProduct()))));
    EXPECT_FALSE(product.ReadProduct(Write(std::vector<std::uint8_t>(200, 'B'))));
    EXPECT_EQ(product.productLoaded, 0);
    EXPECT_EQ(product.Description().fileId, "SEC");
    EXPECT_EQ(product.Description().width, 40);
}

TEST_F(ReadProduct, CopiesShareTheImageAndRereadReplacesIt) {
    AwxWriterOptions first = SmallProduct();
    AwxWriterOptions second = SmallProduct();
    second.width = 48;
    second.channel = 5;
    const std::string a = Write(MakeAwxProduct(first));
    const std::string b = Write(MakeAwxProduct(second));

    CGeoImage product;
    ASSERT_TRUE(product.ReadProduct(a));
    EXPECT_EQ(product.CalibratedImageOwners(), 1);
    CGeoImage copy = product;
    EXPECT_EQ(product.CalibratedImageOwners(), 2);
    EXPECT_EQ(copy.CalibratedImage(), product.CalibratedImage());
    EXPECT_EQ(copy.productLoaded, 1);
    const float* old = copy.CalibratedImage();
    const float oldFirst = old[0];

    ASSERT_TRUE(product.ReadProduct(b));
    EXPECT_NE(product.CalibratedImage(), old);
    EXPECT_EQ(product.CalibratedImageOwners(), 1);
    EXPECT_EQ(copy.CalibratedImageOwners(), 1);
    EXPECT_EQ(copy.CalibratedImage()[0], oldFirst);
    EXPECT_EQ(copy.Description().width, 40);
    EXPECT_EQ(product.Description().width, 48);
}

TEST(ReadProductSample, RealFy2gProduct) {
    KELVRA_REQUIRE_SAMPLE(path);
    CGeoImage product;
    ASSERT_TRUE(product.ReadProduct(path));
    const ProductDescription& d = product.Description();
    EXPECT_EQ(d.width, 1900);
    EXPECT_EQ(d.height, 1300);
    EXPECT_EQ(d.channel, 1);
    EXPECT_EQ(d.projection, EqualLatLon);
    EXPECT_EQ(d.verticalResolution, 0.05f);
    EXPECT_FLOAT_EQ(d.centerLon, 97.5f);
    EXPECT_FLOAT_EQ(d.centerLat, 27.5f);
    EXPECT_EQ(d.hour, 13);
    EXPECT_NEAR(product.CalibrationTable()[0], 332.77f, 1e-3);
    EXPECT_NEAR(product.CalibrationTable()[255], 118.64f, 1e-3);
    // Cold cloud tops and a warm surface in the same scene.
    const float* image = product.CalibratedImage();
    const auto [lo, hi] = std::minmax_element(image, image + 1900 * 1300);
    EXPECT_LT(*lo, 230.0f);
    EXPECT_GT(*hi, 280.0f);
}

}  // namespace
