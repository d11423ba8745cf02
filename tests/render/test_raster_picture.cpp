// The command line composes into a raster picture without Qt; wherever no
// text is drawn it has the very pixels of the view's picture, with the
// shipped maps, grid and overlays.

#include <gtest/gtest.h>

#include <QImage>
#include <cstring>

#include "compose/CRasterPicture.h"
#include "image/CDibImage.h"
#include "render/CQtPicture.h"
#include "support/TestSupport.h"
#include "synth/AwxWriter.h"

namespace {

TEST(RasterPicture, HasTheViewsPixelsWhereNoTextIsDrawn) {
    CTempDir dir;
    const std::string path = dir.File("FY2G_LCN_IR1_202203311300.AWX");
    AwxWriterOptions options;
    options.width = 640;
    options.height = 480;
    ASSERT_TRUE(WriteAwxProduct(path, options));
    CGeoImage product;
    ASSERT_TRUE(product.ReadProduct(path));
    const CDataPaths paths(KELVRA_SOURCE_DIR);
    const struct {
        const char* what;
        int provinces, grid, isotherms, cells;
        const char* palette;
    } cases[] = {
        {"maps and grid", 0, 1, 0, 0, ""},
        {"provinces, no grid", 1, 0, 0, 0, ""},
        {"isotherms over a palette", 0, 1, 1, 0, "color1.lut"},
    };
    for (const auto& c : cases) {
        CompositionLayers layers;
        layers.m_bTitle = 0;
        layers.m_bProvinces = c.provinces;
        layers.m_bGrid = c.grid;
        layers.m_bIsotherms = c.isotherms;
        if (*c.palette != '\0') {
            layers.m_strPalette = paths.DataFile(c.palette);
            layers.m_bPaletteOn = 1;
        }
        CDibImage viewImage;
        CDibImage rasterImage;
        ASSERT_TRUE(viewImage.Load(path));
        ASSERT_TRUE(rasterImage.Load(path));
        QImage view;
        CQtPicture viewPicture(view);
        CRasterPicture raster(nullptr);
        int recompose = 1;
        ASSERT_EQ(
            ComposePicture(viewImage, SceneOf(product, "", paths), layers, recompose, viewPicture),
            1)
            << c.what;
        recompose = 1;
        ASSERT_EQ(
            ComposePicture(rasterImage, SceneOf(product, "", paths), layers, recompose, raster), 1)
            << c.what;
        const DevicePixels& pixels = raster.Pixels();
        ASSERT_EQ(pixels.width, view.width()) << c.what;
        ASSERT_EQ(pixels.height, view.height()) << c.what;
        for (int y = 0; y < pixels.height; ++y) {
            ASSERT_EQ(std::memcmp(pixels.Row(y), view.constScanLine(y), 4 * view.width()), 0)
                << c.what << ", row " << y;
        }
    }
}

}  // namespace
