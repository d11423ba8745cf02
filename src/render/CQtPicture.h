#pragma once
// The off-screen picture of the composition as a device-format QImage
// (Format_RGB32) of the image's size, with the QPainter canvas over it.

#include <QImage>
#include <memory>

#include "compose/Composition.h"

class CQtPicture : public CPicture {
public:
    // Composes into picture, which the caller keeps (the view paints it).
    explicit CQtPicture(QImage& picture) : m_picture(picture) {}

    bool Fits(int width, int height) const override;
    bool Rebuild(const CDibImage& image) override;
    bool PutImage(const CDibImage& image) override;
    bool PutImagePixels(const CDibImage& image, const std::vector<std::uint32_t>& at) override;
    std::unique_ptr<CCanvas> OpenCanvas() override;

private:
    QImage& m_picture;
};

// Composes into a device-format picture: the view's and the command line's
// way into the one composition routine.
int ComposePicture(CDibImage& image, const CompositionScene& scene, const CompositionLayers& layers,
                   int& recompose, QImage& offscreen);
int ComposeLayerSwitch(CDibImage& image, const CompositionScene& scene,
                       const CompositionLayers& shown, const CompositionLayers& layers,
                       int& recompose, QImage& offscreen, CanvasTiles& changed);
