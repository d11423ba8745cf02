#pragma once
// The one routine that makes the picture: the image with its palette, then
// every overlay that is switched on, drawn in image pixels into the
// image-sized off-screen picture. The desktop view and the command-line
// renderer both compose through it; painting, printing and saving only copy
// or stretch its result.

#include <vector>

#include "compose/CPicture.h"
#include "compose/CompositionLayers.h"
#include "compose/CompositionScene.h"
#include "image/CDibImage.h"
#include "platform/Canvas.h"
#include "platform/CanvasTiles.h"

// The layers over the image, in their drawing order.
enum class CompositionLayer {
    Precipitation,
    Isotherms,
    NwpOverlays,
    WorldMap,
    ChinaMap,
    Provinces,
    Rivers,
    Grid,
    Title,
    Legend,
    // Convection, drawn right after the isotherms.
    Cooling,
    Cells,
    Tracks,
    // The precipitation estimate's legend, over every line layer.
    PrecipLegend,
};
// One past the last layer: the size of a table with an entry per layer.
constexpr int kCompositionLayerCount = static_cast<int>(CompositionLayer::PrecipLegend) + 1;

// The layers that the switches turn on, in drawing order: precipitation,
// isotherms, cloud-top cooling, cold-cloud cells, their tracks, NWP overlays, map lines (world,
// China, provinces when switched on too, rivers), grid, title, then the legends over all of
// them: the precipitation legend and the colour legend.
std::vector<CompositionLayer> LayersToDraw(const CompositionLayers& layers);

// Draws the overlays in their order onto the canvas.
void DrawOverlayLayers(CCanvas& canvas, const CompositionScene& scene,
                       const CompositionLayers& layers);

// Composes the picture. The picture is rebuilt from the image when recompose
// is set (which is then cleared), and also when there is none yet or its size
// is not the image's; then the palette is written into the image's colour
// table, the image is put into the picture and the overlays are drawn.
// Returns 1 when composed, 0 when there is no image or the picture cannot be
// made ("内存不足,不能创建兼容位图" is shown and recompose stays set).
int ComposePicture(CDibImage& image, const CompositionScene& scene, const CompositionLayers& layers,
                   int& recompose, CPicture& picture);

// Composes the picture after layers were only switched on or off: shown are
// the layers of the picture as it stands (composed from this image, scene and
// palette). Where the switched layers' pixels are kept, only those pixels
// change (the picture is what ComposePicture makes) and changed holds their
// tiles; otherwise the whole picture is composed as ComposePicture does and
// changed holds every tile. Returns what ComposePicture returns.
int ComposeLayerSwitch(CDibImage& image, const CompositionScene& scene,
                       const CompositionLayers& shown, const CompositionLayers& layers,
                       int& recompose, CPicture& picture, CanvasTiles& changed);
