#pragma once
// The one routine that makes the picture: the image with its palette, then
// every overlay that is switched on, drawn in image pixels into the
// image-sized off-screen picture. The desktop view and the command-line
// renderer both compose through it; painting, printing and saving only copy
// or stretch its result.

#include <QImage>
#include <string>

#include "image/CDibImage.h"
#include "platform/Canvas.h"
#include "platform/DataPaths.h"
#include "product/CGeoImage.h"

// The display mode while the precipitation estimate is shown.
constexpr int kDisplayPrecipitation = 105;

// The view's switches that decide what is composed, with the view's names
// and initial values.
struct CompositionLayers {
    std::string m_strPalette;  // palette file path; empty keeps the image's table
    int m_bPaletteOn = 0;
    int m_bMap = 1;
    int m_bProvinces = 0;
    int m_bGrid = 1;
    int m_bTitle = 1;
    int m_bIsotherms = 0;
    int m_nDisplayMode = 0;
};

// Draws the overlays in their order onto the canvas: precipitation,
// isotherms, NWP overlays, map lines (world, China, provinces when switched
// on too, rivers), grid, title.
void DrawOverlayLayers(CCanvas& canvas, const CGeoImage& product, const CompositionLayers& layers,
                       const std::string& regionNameGbk, const CDataPaths& paths);

// Composes the picture. The palette is written into the image's colour table
// first. The picture is rebuilt from the image when recompose is set (which
// is then cleared), and also when there is none yet or its size is not the
// image's. Returns 1 when composed, 0 when there is no image or the picture
// cannot be made ("内存不足,不能创建兼容位图" is shown and recompose stays set).
int ComposePicture(CDibImage& image, const CGeoImage& product, const CompositionLayers& layers,
                   const std::string& regionNameGbk, const CDataPaths& paths, int& recompose,
                   QImage& offscreen);
