#include "render/CQtPicture.h"

#include <QPainter>

#include "render/CQtCanvas.h"
#include "render/DibQImage.h"

namespace {

// The painter lives exactly as long as the canvas that draws through it.
class CPaintingCanvas : public CQtCanvas {
public:
    explicit CPaintingCanvas(std::unique_ptr<QPainter> painter)
        : CQtCanvas(*painter), m_pPainter(std::move(painter)) {}

private:
    std::unique_ptr<QPainter> m_pPainter;
};

}  // namespace

bool CQtPicture::Fits(int width, int height) const {
    return !m_picture.isNull() && m_picture.width() == width && m_picture.height() == height;
}

bool CQtPicture::Rebuild(const CDibImage& image) {
    if (!HasDevicePicture(image)) {
        return false;
    }
    QImage rebuilt(image.Width(), image.Height(), QImage::Format_RGB32);
    if (rebuilt.isNull()) {
        return false;
    }
    m_picture = std::move(rebuilt);
    return true;
}

bool CQtPicture::PutImage(const CDibImage& image) {
    return ToDeviceBitmap(image, m_picture);
}

bool CQtPicture::PutImagePixels(const CDibImage& image, const std::vector<std::uint32_t>& at) {
    return ToDeviceBitmap(image, m_picture, at);
}

std::unique_ptr<CCanvas> CQtPicture::OpenCanvas() {
    return std::make_unique<CPaintingCanvas>(std::make_unique<QPainter>(&m_picture));
}

int ComposePicture(CDibImage& image, const CompositionScene& scene, const CompositionLayers& layers,
                   int& recompose, QImage& offscreen) {
    CQtPicture picture(offscreen);
    return ComposePicture(image, scene, layers, recompose, picture);
}

int ComposeLayerSwitch(CDibImage& image, const CompositionScene& scene,
                       const CompositionLayers& shown, const CompositionLayers& layers,
                       int& recompose, QImage& offscreen, CanvasTiles& changed) {
    CQtPicture picture(offscreen);
    return ComposeLayerSwitch(image, scene, shown, layers, recompose, picture, changed);
}
