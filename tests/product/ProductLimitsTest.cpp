// Products declaring more than kAwxMaxSide pixels a side are refused by both
// readers before anything large is allocated, even when a sparse file is as
// large as the header claims; special files are refused without blocking.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "AllocationProbe.h"
#include "ProductTestFiles.h"
#include "product/AwxDib.h"
#include "product/AwxFileAccess.h"
#include "product/CGeoImage.h"
#include "product/HeaderSummary.h"

namespace {

constexpr std::size_t kSmallAllocation = 1024 * 1024;

// A small product whose header then declares width × height, padded with
// zeros (sparse) to hold every declared pixel behind the calibration block.
std::string WriteDeclaring(const CTempDir& dir, int width, int height) {
    auto bytes = MakeAwxProduct(SmallProduct());
    Patch16(bytes, kWidthAt, width);
    Patch16(bytes, kHeightAt, height);
    const std::string path =
        WriteProduct(dir, std::to_string(width) + "x" + std::to_string(height) + ".awx", bytes);
    std::filesystem::resize_file(
        path, kAwxHeadersSize + kAwxCalibrationSize + static_cast<std::uint64_t>(width) * height);
    return path;
}

std::vector<std::uint8_t> DibOf(const std::string& path) {
    UniqueStdFile file = OpenForReading(path);
    return file ? ReadAwxDib(file.get()) : std::vector<std::uint8_t>();
}

TEST(ProductLimits, MoreThanTheLimitASideIsRefusedWithoutLargeAllocations) {
    const struct {
        int width, height;
    } rows[] = {{65535, 8000}, {8193, 1}, {1, 8193}, {8193, 8193}};
    CTempDir dir;
    for (const auto& row : rows) {
        const std::string path = WriteDeclaring(dir, row.width, row.height);
        CAllocationProbe probe;
        CGeoImage product;
        EXPECT_FALSE(product.ReadProduct(path)) << row.width << "x" << row.height;
        EXPECT_EQ(product.productLoaded, 0);
        EXPECT_TRUE(DibOf(path).empty()) << row.width << "x" << row.height;
        EXPECT_LT(probe.Largest(), kSmallAllocation) << row.width << "x" << row.height;
        std::filesystem::remove(path);
    }
}

TEST(ProductLimits, TheLimitItselfIsAccepted) {
    CTempDir dir;
    for (const auto& [width, height] : {std::pair{8192, 1}, std::pair{1, 8192}}) {
        const std::vector<std::uint8_t> dib = DibOf(WriteDeclaring(dir, width, height));
        ASSERT_FALSE(dib.empty()) << width << "x" << height;
        EXPECT_EQ(ReadInt32LE(dib.data() + 4), width);
        EXPECT_EQ(ReadInt32LE(dib.data() + 8), height);
    }
}

// A FIFO without a writer would block open() for ever; a folder is no file.
// (Should a reader regress, this test hangs until CTest's time-out.)
TEST(ProductLimits, SpecialFilesAreRefusedWithoutBlocking) {
    KELVRA_SKIP_ON_WINDOWS("no FIFOs in its folders");
    CTempDir dir;
    ASSERT_TRUE(MakeFifo(dir.File("fifo.awx")));
    std::filesystem::create_directory(dir.File("folder.awx"));
    for (const char* name : {"fifo.awx", "folder.awx"}) {
        CGeoImage product;
        AwxSummary summary;
        EXPECT_FALSE(product.ReadProduct(dir.File(name))) << name;
        EXPECT_FALSE(ReadAwxSummary(dir.File(name), summary)) << name;
        EXPECT_FALSE(OpenForReading(dir.File(name))) << name;
    }
}

}  // namespace
