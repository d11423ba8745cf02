// Cold-cloud cells: areas on the sphere and centroids of known discs on
// several projections, 8-connectivity, the minimum area and the refusals.

#include <gtest/gtest.h>

#include "convection/CellOutline.h"
#include "convection/ColdCells.h"
#include "geo/Projection.h"
#include "product/CGeoImage.h"
#include "support/ConvectionProducts.h"
#include "support/TestSupport.h"

namespace {

struct DiscCase {
    const char* name;
    int type;
    double centerLon;
    double centerLat;
    double resolution;  // degrees for equal latitude/longitude, km otherwise
    double discLon;
    double discLat;
    double radiusKm;
};

// A pixel is about 5 km on every row; the discs span 60-100 pixels.
const DiscCase kDiscs[] = {
    {"equal lat/lon", EqualLatLon, 105.0, 30.0, 0.05, 104.0, 32.0, 200.0},
    {"equal lat/lon high", EqualLatLon, 105.0, 50.0, 0.05, 106.0, 55.0, 250.0},
    {"equal lat/lon date line", EqualLatLon, 180.0, 10.0, 0.05, 179.9, 9.0, 200.0},
    {"Lambert", Lambert, 110.0, 35.0, 5.0, 112.0, 38.0, 250.0},
    {"polar stereographic", PolarStereographic, 100.0, 60.0, 5.0, 95.0, 62.0, 250.0},
    {"Mercator", Mercator, 120.0, 20.0, 5.0, 121.0, 22.0, 200.0},
};

class DiscCells : public testing::TestWithParam<DiscCase> {};

TEST_P(DiscCells, AreaIsTheSphericalCapAndCentroidTheCentre) {
    const DiscCase& c = GetParam();
    ProjectionParams params;
    ASSERT_EQ(SetUpProjection(c.type, c.centerLon, c.centerLat, c.resolution, 800, 600, 30.0, 60.0,
                              params),
              0);
    TestImage image(800, 600);
    const int painted = PaintDisc(image, params, c.discLon, c.discLat, c.radiusKm, 205.0);
    CPixelAreas areas;
    ASSERT_TRUE(areas.Build(params, image.width, image.height));

    const std::vector<ColdCell> cells =
        FindColdCells(image.Grid(), params, areas, ConvectionSettings{});

    ASSERT_EQ(cells.size(), 1u);
    const ColdCell& cell = cells[0];
    EXPECT_EQ(cell.pixels, painted);
    EXPECT_NEAR(cell.areaKm2, SphericalCapKm2(c.radiusKm), 0.01 * SphericalCapKm2(c.radiusKm));
    const double pixelKm = std::sqrt(cell.areaKm2 / cell.pixels);
    EXPECT_LT(TestGreatCircleKm(cell.lon, cell.lat, c.discLon, c.discLat), pixelKm);
    EXPECT_FLOAT_EQ(cell.minK, 205.0f);
    EXPECT_NEAR(cell.meanK, 205.0f, 1e-3);
}

INSTANTIATE_TEST_SUITE_P(Projections, DiscCells, testing::ValuesIn(kDiscs),
                         [](const testing::TestParamInfo<DiscCase>& info) {
                             std::string name = info.param.name;
                             for (char& ch : name) {
                                 ch = std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
                             }
                             return name;
                         });

ProjectionParams SmallLatLon() {
    ProjectionParams params;
    SetUpProjection(EqualLatLon, 105.0, 30.0, 0.05, 40, 40, 30.0, 60.0, params);
    return params;
}

struct ConnectivityCase {
    const char* name;
    std::vector<std::pair<int, int>> cold;  // pixels at 200 K
    std::size_t cells;
};

// Two blocks of 2 x 2 that meet at a corner, and the same a pixel apart.
const ConnectivityCase kConnectivity[] = {
    {"corner", {{10, 10}, {11, 10}, {10, 11}, {11, 11}, {12, 12}, {13, 12}, {12, 13}, {13, 13}}, 1},
    {"apart", {{10, 10}, {11, 10}, {10, 11}, {11, 11}, {13, 12}, {14, 12}, {13, 13}, {14, 13}}, 2},
    {"side", {{10, 10}, {11, 10}, {12, 10}, {10, 11}}, 1},
};

TEST(ColdCells, RegionsJoinAtCornersButNotAcrossAGap) {
    const ProjectionParams params = SmallLatLon();
    CPixelAreas areas;
    ASSERT_TRUE(areas.Build(params, 40, 40));
    ConvectionSettings settings;
    settings.minAreaKm2 = 0.0;
    for (const ConnectivityCase& c : kConnectivity) {
        TestImage image(40, 40);
        for (const auto& [x, y] : c.cold) {
            image.Set(x, y, 200.0);
        }
        EXPECT_EQ(FindColdCells(image.Grid(), params, areas, settings).size(), c.cells) << c.name;
    }
}

TEST(ColdCells, SmallCellsAreDroppedAndTheRestNumberedLargestFirst) {
    const ProjectionParams params = SmallLatLon();
    CPixelAreas areas;
    ASSERT_TRUE(areas.Build(params, 40, 40));
    TestImage image(40, 40);
    // About 28 km² a pixel: 10 x 10 = 2800 km², 12 x 12 = 4000, 4 x 4 = 450.
    for (int y = 2; y < 12; ++y) {
        for (int x = 2; x < 12; ++x) {
            image.Set(x, y, 215.0);
        }
    }
    for (int y = 20; y < 32; ++y) {
        for (int x = 20; x < 32; ++x) {
            image.Set(x, y, 215.0);
        }
    }
    for (int y = 2; y < 6; ++y) {
        for (int x = 30; x < 34; ++x) {
            image.Set(x, y, 190.0);
        }
    }
    const std::vector<ColdCell> cells =
        FindColdCells(image.Grid(), params, areas, ConvectionSettings{});
    ASSERT_EQ(cells.size(), 2u);
    EXPECT_EQ(cells[0].id, 1);
    EXPECT_EQ(cells[0].pixels, 144);
    EXPECT_EQ(cells[1].pixels, 100);
}

TEST(ColdCells, TheShieldAroundACellIsMeasuredAtItsOwnThreshold) {
    const ProjectionParams params = SmallLatLon();
    CPixelAreas areas;
    ASSERT_TRUE(areas.Build(params, 40, 40));
    TestImage image(40, 40);
    for (int y = 5; y < 35; ++y) {
        for (int x = 5; x < 35; ++x) {
            image.Set(x, y, (x >= 15 && x < 25 && y >= 15 && y < 25) ? 200.0 : 235.0);
        }
    }
    const std::vector<ColdCell> cells =
        FindColdCells(image.Grid(), params, areas, ConvectionSettings{});
    ASSERT_EQ(cells.size(), 1u);
    EXPECT_NEAR(cells[0].shieldKm2 / cells[0].areaKm2, 9.0, 0.05);
}

TEST(ColdCells, OutlineWalksTheBoundaryPixelsOnce) {
    ColdCell block;
    block.pixels = 9;
    for (int y = 4; y < 7; ++y) {
        block.runs.push_back({y, 4, 7});
    }
    const std::vector<CellPixel> outline = CellOutline(block);
    // The eight pixels around the middle one, clockwise from the top left.
    const std::vector<CellPixel> expected{{4, 4}, {5, 4}, {6, 4}, {6, 5},
                                          {6, 6}, {5, 6}, {4, 6}, {4, 5}};
    EXPECT_EQ(outline, expected);
}

struct RefusalCase {
    const char* name;
    int channel;
    int projection;
    double resolution;
    bool refused;
};

const RefusalCase kRefusals[] = {
    {"infrared 1", 1, EqualLatLon, 0.05, false}, {"infrared 2 Lambert", 2, Lambert, 5.0, false},
    {"infrared 3", 4, EqualLatLon, 0.05, false}, {"water vapour", 3, EqualLatLon, 0.05, true},
    {"visible", 5, EqualLatLon, 0.05, true},     {"full disk", 1, Disk, 5.0, true},
};

TEST(ColdCells, OnlyGeolocatedInfraredProductsHaveCells) {
    CTempDir dir;
    for (const RefusalCase& c : kRefusals) {
        AwxWriterOptions options;
        options.channel = c.channel;
        options.projection = c.projection;
        options.resolution = c.resolution;
        const std::string path = dir.File("p.awx");
        ASSERT_TRUE(WriteTestProduct(path, options, TestImage(64, 48)));
        CGeoImage product;
        ASSERT_TRUE(product.ReadProduct(path)) << c.name;
        EXPECT_EQ(ColdCellRefusal(product).empty(), !c.refused) << c.name;
    }
}

}  // namespace
