#include "render/Composition.h"

#include <QPainter>

#include "platform/Message.h"
#include "render/CQtCanvas.h"
#include "render/DibQImage.h"

void DrawOverlayLayers(CCanvas& canvas, const CGeoImage& product, const CompositionLayers& layers,
                       const std::string& regionNameGbk, const CDataPaths& paths) {
    if (layers.m_nDisplayMode == kDisplayPrecipitation) {
        // Precipitation estimate: estimated and drawn here, straight onto the image.
    }
    if (layers.m_bIsotherms == 1) {
        product.DrawIsotherms(canvas);
    }
    // The visible NWP overlays are drawn here, in the order of their list.
    if (layers.m_bMap == 1) {
        product.DrawWorldMap(canvas, paths);
        product.DrawChinaMap(canvas, paths);
        if (layers.m_bProvinces == 1) {
            product.DrawProvinces(canvas, paths);
        }
        product.DrawRivers(canvas, paths);
    }
    if (layers.m_bGrid == 1) {
        product.DrawGrid(canvas);
    }
    if (layers.m_bTitle == 1) {
        product.DrawTitle(canvas, regionNameGbk);
    }
}

namespace {

bool PictureFits(const QImage& offscreen, const CDibImage& image) {
    return !offscreen.isNull() && offscreen.width() == image.Width() &&
           offscreen.height() == image.Height();
}

}  // namespace

int ComposePicture(CDibImage& image, const CGeoImage& product, const CompositionLayers& layers,
                   const std::string& regionNameGbk, const CDataPaths& paths, int& recompose,
                   QImage& offscreen) {
    if (image.IsEmpty()) {
        return 0;
    }
    // Drawing into a missing or mismatched picture would lose the overlays or
    // write outside it, so that too makes a new one.
    if (recompose || !PictureFits(offscreen, image)) {
        QImage rebuilt = ToDeviceBitmap(image);
        if (rebuilt.isNull()) {
            ShowMessage("内存不足,不能创建兼容位图");
            return 0;
        }
        offscreen = rebuilt;
        recompose = 0;
    }
    image.ApplyPaletteFile(layers.m_strPalette, layers.m_bPaletteOn);

    QPainter painter(&offscreen);
    if (!Draw(image, painter)) {
        return 0;
    }
    CQtCanvas canvas(painter);
    const int previousMode = canvas.SetBkMode(kBackgroundTransparent);
    DrawOverlayLayers(canvas, product, layers, regionNameGbk, paths);
    canvas.SetBkMode(previousMode);
    return 1;
}
