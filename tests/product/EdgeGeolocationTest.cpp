// Equal latitude/longitude products whose resolution fields do not fit the
// picture (FY-4A: 1751 x 1001, fields 0.05, edges 70-140 E, 15-55 N, a
// 0.04-degree grid) are placed by their edges; every other product keeps
// its resolution fields.

#include <gtest/gtest.h>

#include <cmath>

#include "ProductTestFiles.h"
#include "product/CGeoImage.h"
#include "product/ProductInfoText.h"

namespace {

struct Placed {
    double lon;
    double lat;
};

Placed At(const CGeoImage& product, double x, double y) {
    float lon = NAN;
    float lat = NAN;
    EXPECT_EQ(CGeoImage::PixelToLatLon(product.Params(), x, y, lon, lat), 0);
    return Placed{lon, lat};
}

// 1751 x 1001 as FY-4A, or a tenth of its pixels each way (and ten times the
// spacing) for the quicker cases.
AwxWriterOptions Fy4aShaped(double resolution, AwxEdges edges, int divisor = 1) {
    AwxWriterOptions o;
    o.width = 1750 / divisor + 1;
    o.height = 1000 / divisor + 1;
    o.centerLon = 105.0;
    o.centerLat = 35.0;
    o.resolution = resolution;
    o.stdLat1 = 0.0;
    o.stdLat2 = 0.0;
    o.edges = edges;
    return o;
}

}  // namespace

TEST(EdgeGeolocation, ResolutionFieldsGiveWayOnlyToEdgesThatFitThePicture) {
    const AwxEdges fy4a{55.0, 15.0, 70.0, 140.0};
    struct Case {
        const char* name;
        AwxWriterOptions options;
        bool fromEdges;
        double spacing;  // degrees per pixel the product is placed by
    };
    // 176 x 101 over FY-4A's edges: a 0.4-degree grid.
    const Case cases[] = {
        {"fields 0.5, edges 0.4", Fy4aShaped(0.5, fy4a, 10), true, 0.4},
        {"fields that fit the edges", Fy4aShaped(0.4, fy4a, 10), false, 0.4},
        {"edges of two spacings", Fy4aShaped(0.5, {55.0, 5.0, 70.0, 140.0}, 10), false, 0.5},
        {"edges not set", Fy4aShaped(0.5, {0.0, 0.0, 0.0, 0.0}, 10), false, 0.5},
        {"a product as the writer makes it", SmallProduct(), false, 0.05},
    };
    CTempDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CGeoImage product;
        ASSERT_TRUE(product.ReadProduct(WriteProduct(dir, "p.awx", MakeAwxProduct(c.options))));
        const ProductDescription& d = product.Description();
        EXPECT_EQ(d.resolutionFromEdges, c.fromEdges);
        EXPECT_NEAR(d.verticalResolution, c.spacing, 1e-6);
        const std::string info = ProductInfoText(d);
        EXPECT_EQ(info.find("分辨率按图像边界计算\n") != std::string::npos, c.fromEdges);
        // One row apart is one spacing of latitude, wherever the centre is.
        EXPECT_NEAR(At(product, 5, 5).lat - At(product, 5, 6).lat, c.spacing, 1e-4);
        EXPECT_NEAR(At(product, 6, 5).lon - At(product, 5, 5).lon, c.spacing, 1e-4);
    }
}

TEST(EdgeGeolocation, PixelCentresLieOnTheEdges) {
    CTempDir dir;
    CGeoImage product;
    ASSERT_TRUE(product.ReadProduct(WriteProduct(
        dir, "fy4a.awx", MakeAwxProduct(Fy4aShaped(0.05, {55.0, 15.0, 70.0, 140.0})))));
    struct Case {
        double x, y, lon, lat;
    };
    for (const Case& c : {Case{0, 0, 70.0, 55.0}, Case{875, 500, 105.0, 35.0},
                          Case{1750, 999, 140.0, 15.04}, Case{250, 750, 80.0, 25.0}}) {
        const Placed p = At(product, c.x, c.y);
        EXPECT_NEAR(p.lon, c.lon, 1e-3) << c.x << ", " << c.y;
        EXPECT_NEAR(p.lat, c.lat, 1e-3) << c.x << ", " << c.y;
        double x = 0.0;
        double y = 0.0;
        ASSERT_EQ(CGeoImage::LatLonToPixel(product.Params(), c.lon, c.lat, x, y), 0);
        EXPECT_NEAR(x, c.x, 1e-3);
        EXPECT_NEAR(y, c.y, 1e-3);
    }
    EXPECT_NEAR(product.Params().westLon, 70.0, 1e-4);
    EXPECT_NEAR(product.Params().northLat, 55.0, 1e-4);
}
