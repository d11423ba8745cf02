// An exported GeoTIFF agrees with kelvra's own geolocation and values: at
// kelvra's longitude/latitude of a pixel, GDAL (through PROJ, from WGS84 as
// gdallocationinfo -wgs84 does) finds that very pixel, and reads the value
// `locate --value` prints. Synthetic products of every geolocated family, in
// both hemispheres, and the real sample.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include <gdal_utils.h>
#include <ogr_spatialref.h>

#include "export/ExportTestSupport.h"
#include "product/CGeoImage.h"
#include "support/CliRunner.h"
#include "support/TestSupport.h"

namespace {

constexpr int kPixelsPerProduct = 200;
constexpr int kColumns = 20;
constexpr int kRows = kPixelsPerProduct / kColumns;

struct CtDeleter {
    void operator()(OGRCoordinateTransformation* t) const {
        OGRCoordinateTransformation::DestroyCT(t);
    }
};

// GDAL's pixel, from WGS84 longitude/latitude; false where PROJ refuses.
struct PixelFinder {
    std::unique_ptr<OGRCoordinateTransformation, CtDeleter> ct;
    double inverse[6] = {};
    bool located = false;

    explicit PixelFinder(GDALDataset& ds) {
        const OGRSpatialReference* srs = ds.GetSpatialRef();
        double transform[6];
        if (srs == nullptr || ds.GetGeoTransform(transform) != CE_None ||
            !GDALInvGeoTransform(transform, inverse)) {
            return;
        }
        OGRSpatialReference wgs84;
        wgs84.importFromEPSG(4326);
        wgs84.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
        OGRSpatialReference target(*srs);
        target.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
        ct.reset(OGRCreateCoordinateTransformation(&wgs84, &target));
        located = ct != nullptr;
    }

    bool Find(double lon, double lat, int& col, int& row) const {
        double e = lon;
        double n = lat;
        if (!ct->Transform(1, &e, &n)) {
            return false;
        }
        col = static_cast<int>(std::floor(inverse[0] + inverse[1] * e + inverse[2] * n));
        row = static_cast<int>(std::floor(inverse[3] + inverse[4] * e + inverse[5] * n));
        return true;
    }
};

float ReadValue(GDALDataset& ds, int x, int y) {
    float value = 0.0f;
    EXPECT_EQ(ds.GetRasterBand(1)->RasterIO(GF_Read, x, y, 1, 1, &value, 1, 1, GDT_Float32, 0, 0,
                                            nullptr),
              CE_None);
    return value;
}

// The 200 pixels checked: a 20 x 10 grid from corner to corner.
void PixelOfGrid(int i, int width, int height, int& x, int& y) {
    x = (i % kColumns) * (width - 2) / (kColumns - 1);
    y = (i / kColumns) * (height - 2) / (kRows - 1);
}

// Exports product to a GeoTIFF and checks every pixel of the grid.
void CheckAgainstKelvra(const std::string& path, const std::string& tif) {
    ASSERT_EQ(RunCli("export '" + path + "' -o '" + tif + "'").status, 0);
    CGeoImage product;
    ASSERT_TRUE(product.ReadProduct(path));
    OpenDataset ds = OpenExported(tif);
    ASSERT_TRUE(ds);
    PixelFinder finder(*ds);
    ASSERT_TRUE(finder.located);
    const char* error = ds->GetMetadataItem("KELVRA_GEOLOCATION_MAX_ERROR_PIXELS");
    ASSERT_NE(error, nullptr);
    std::printf("largest fit error %s pixels\n", error);
    EXPECT_LT(std::atof(error), 0.5);
    const ProjectionParams& p = product.Params();
    for (int i = 0; i < kPixelsPerProduct; ++i) {
        int x = 0, y = 0, col = -1, row = -1;
        PixelOfGrid(i, p.width, p.height, x, y);
        float lon = 0.0f, lat = 0.0f;
        ASSERT_EQ(CGeoImage::PixelToLatLon(p, x, y, lon, lat), 0);
        ASSERT_TRUE(finder.Find(lon, lat, col, row)) << x << "," << y;
        EXPECT_EQ(col, x) << "pixel " << x << "," << y << " at " << lon << " " << lat;
        EXPECT_EQ(row, y) << "pixel " << x << "," << y << " at " << lon << " " << lat;
        float kelvra = 0.0f;
        ASSERT_TRUE(product.CalibratedValueAt(x, y, kelvra));
        const float exported = ReadValue(*ds, x, y);
        if (std::isnan(exported)) {
            EXPECT_LE(kelvra, 0.0f) << "no value only where the table gives none";
        } else {
            EXPECT_EQ(exported, kelvra) << x << "," << y;
        }
    }
}

// Both hemispheres of the conic families: a southern image stands turned.
const FamilyCase kFamilies[] = {
    {"EqualLatLon", 1, 97.5, 27.5, 0.05, 30.0, 60.0},
    {"Mercator", 2, 110.0, 20.0, 5.0, 22.5, 0.0},
    {"Lambert", 3, 110.0, 35.0, 5.0, 30.0, 60.0},
    {"LambertSouth", 3, 140.0, -35.0, 5.0, -30.0, -60.0},
    {"LambertTangent", 3, 120.0, 40.0, 4.0, 45.0, 45.0},
    {"PolarStereographic", 4, 100.0, 60.0, 5.0, 60.0, 0.0},
    {"PolarStereographicSouth", 4, 20.0, -65.0, 10.0, -60.0, 0.0},
    {"Albers", 5, 105.0, 35.0, 5.0, 25.0, 47.0},
    {"AlbersSouth", 5, 135.0, -30.0, 5.0, -25.0, -47.0},
};

class GeoTiffGeolocation : public ::testing::TestWithParam<FamilyCase> {};

TEST_P(GeoTiffGeolocation, GdalFindsKelvrasPixelAndValue) {
    CTempDir dir;
    const std::string awx = dir.File("product.awx");
    ASSERT_TRUE(WriteAwxProduct(awx, FamilyProduct(GetParam())));
    CheckAgainstKelvra(awx, dir.File("product.tif"));
}

INSTANTIATE_TEST_SUITE_P(Families, GeoTiffGeolocation, ::testing::ValuesIn(kFamilies),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(GeoTiffGeolocationSample, RealProduct) {
    KELVRA_REQUIRE_SAMPLE(sample);
    CTempDir dir;
    CheckAgainstKelvra(sample, dir.File("sample.tif"));
}

// As a GIS user warps a Lambert export to longitude/latitude: at a
// coastline point, the warped value is one of the source pixels within one
// pixel of where kelvra's overlay puts that point.
TEST(GeoTiffGeolocationWarp, LambertCoastlineWithinOnePixel) {
    CTempDir dir;
    const std::string awx = dir.File("lambert.awx");
    ASSERT_TRUE(WriteAwxProduct(awx, FamilyProduct(kFamilies[2])));
    const std::string tif = dir.File("lambert.tif");
    ASSERT_EQ(RunCli("export '" + awx + "' -o '" + tif + "'").status, 0);
    OpenDataset source = OpenExported(tif);
    ASSERT_TRUE(source);
    const char* const args[] = {"-t_srs", "EPSG:4326", "-r",   "near",
                                "-tr",    "0.01",      "0.01", nullptr};
    GDALWarpAppOptions* options = GDALWarpAppOptionsNew(const_cast<char**>(args), nullptr);
    GDALDatasetH in = source.get();
    OpenDataset warped(GDALDataset::FromHandle(
        GDALWarp(dir.File("warped.tif").c_str(), nullptr, 1, &in, options, nullptr)));
    GDALWarpAppOptionsFree(options);
    ASSERT_TRUE(warped);
    CGeoImage product;
    ASSERT_TRUE(product.ReadProduct(awx));
    double t[6];
    ASSERT_EQ(warped->GetGeoTransform(t), CE_None);
    // Points of the Chinese coast: Shanghai, Qingdao, Xiamen, Dalian.
    const double coast[][2] = {{121.9, 30.9}, {120.4, 36.0}, {118.1, 24.5}, {121.6, 38.9}};
    for (const auto& point : coast) {
        double x = 0.0, y = 0.0;
        ASSERT_EQ(CGeoImage::LatLonToPixel(product.Params(), point[0], point[1], x, y), 0);
        const int col = static_cast<int>(std::floor((point[0] - t[0]) / t[1]));
        const int row = static_cast<int>(std::floor((point[1] - t[3]) / t[5]));
        const float value = ReadValue(*warped, col, row);
        bool near = false;
        for (int dy = -1; dy <= 1; ++dy) {
            for (int dx = -1; dx <= 1; ++dx) {
                float v = 0.0f;
                near =
                    near || (product.CalibratedValueAt(static_cast<int>(std::lround(x)) + dx,
                                                       static_cast<int>(std::lround(y)) + dy, v) &&
                             v == value);
            }
        }
        EXPECT_TRUE(near) << point[0] << " " << point[1];
    }
}

}  // namespace
