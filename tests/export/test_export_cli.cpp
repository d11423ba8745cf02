// What a user of `kelvra-cli export` notices besides the geolocation: the
// counts with their calibration, the cloud-optimised layout, a full-disk
// product without coordinates, refusals that leave an existing file alone.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "export/ExportTestSupport.h"
#include "product/CGeoImage.h"
#include "support/CliRunner.h"
#include "support/TestSupport.h"

namespace {

struct Exported {
    CliResult result;
    std::string tif;
};

Exported Export(const CTempDir& dir, const AwxWriterOptions& product, const std::string& flags) {
    const std::string awx = dir.File("product.awx");
    EXPECT_TRUE(WriteAwxProduct(awx, product));
    Exported e{{}, dir.File("out.tif")};
    e.result = RunCli("export '" + awx + "' -o '" + e.tif + "' " + flags + " 2>&1");
    return e;
}

TEST(ExportCli, CountsCarryTheCalibrationTable) {
    CTempDir dir;
    const Exported e = Export(dir, AwxWriterOptions(), "--counts");
    ASSERT_EQ(e.result.status, 0) << e.result.out;
    OpenDataset ds = OpenExported(e.tif);
    ASSERT_TRUE(ds);
    GDALRasterBand* band = ds->GetRasterBand(1);
    EXPECT_EQ(band->GetRasterDataType(), GDT_Byte);
    CGeoImage product;
    ASSERT_TRUE(product.ReadProduct(dir.File("product.awx")));
    const char* table = band->GetMetadataItem("CALIBRATION_TABLE");
    ASSERT_NE(table, nullptr);
    const CPLStringList entries(CSLTokenizeString2(table, ",", 0));
    ASSERT_EQ(entries.size(), 256);
    for (int v = 0; v < 256; ++v) {
        EXPECT_FLOAT_EQ(static_cast<float>(std::atof(entries[v])), product.CalibrationTable()[v]);
    }
    std::uint8_t count = 0;
    ASSERT_EQ(band->RasterIO(GF_Read, 123, 45, 1, 1, &count, 1, 1, GDT_Byte, 0, 0, nullptr),
              CE_None);
    EXPECT_EQ(count, product.CountsRow(45)[123]);
}

TEST(ExportCli, CogIsTiledWithOverviews) {
    CTempDir dir;
    // Larger than one 512-pixel tile, so that it has an overview.
    AwxWriterOptions large;
    large.width = 1100;
    large.height = 700;
    const Exported e = Export(dir, large, "--cog");
    ASSERT_EQ(e.result.status, 0) << e.result.out;
    OpenDataset ds = OpenExported(e.tif);
    ASSERT_TRUE(ds);
    const char* layout = ds->GetMetadataItem("LAYOUT", "IMAGE_STRUCTURE");
    ASSERT_NE(layout, nullptr);
    EXPECT_STREQ(layout, "COG");
    EXPECT_GE(ds->GetRasterBand(1)->GetOverviewCount(), 1);
}

TEST(ExportCli, FullDiskHasNoCoordinateSystemAndSaysSo) {
    CTempDir dir;
    AwxWriterOptions disk;
    disk.projection = 0;
    disk.centerLon = 105.0;
    disk.centerLat = 0.0;
    disk.resolution = 5.0;
    const Exported e = Export(dir, disk, "");
    ASSERT_EQ(e.result.status, 0) << e.result.out;
    EXPECT_NE(e.result.out.find("不带坐标系"), std::string::npos) << e.result.out;
    OpenDataset ds = OpenExported(e.tif);
    ASSERT_TRUE(ds);
    EXPECT_EQ(ds->GetSpatialRef(), nullptr);
}

// Each refusal exits with its status and leaves the file already there as it was.
struct Refusal {
    const char* name;
    bool calibration;
    const char* input;  // "" for the written product
    const char* output;
    const char* flags;
    int status;
    const char* said;
};

const Refusal kRefusals[] = {
    {"MissingInput", true, "missing.awx", "out.tif", "", 1, "missing.awx"},
    {"NoCalibration", false, "", "out.tif", "", 1, "--counts"},
    {"UnknownExtension", true, "", "out.png", "", 2, ".tif"},
    {"CountsInNetCdf", true, "", "out.nc", "--counts", 2, "--counts"},
};

class ExportRefusal : public ::testing::TestWithParam<Refusal> {};

TEST_P(ExportRefusal, ExitsWithReasonAndLeavesTargetWhole) {
    const Refusal& r = GetParam();
    CTempDir dir;
    AwxWriterOptions options;
    options.calibration = r.calibration;
    ASSERT_TRUE(WriteAwxProduct(dir.File("product.awx"), options));
    const std::string target = dir.File(r.output);
    const std::vector<std::uint8_t> before = {'o', 'l', 'd'};
    ASSERT_TRUE(WriteFileBytes(target, before));
    const std::string input = dir.File(*r.input ? r.input : "product.awx");
    const CliResult result =
        RunCli("export '" + input + "' -o '" + target + "' " + r.flags + " 2>&1");
    EXPECT_EQ(result.status, r.status);
    EXPECT_NE(result.out.find(r.said), std::string::npos) << result.out;
    EXPECT_EQ(ReadFileBytes(target), before);
}

INSTANTIATE_TEST_SUITE_P(Cases, ExportRefusal, ::testing::ValuesIn(kRefusals),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
