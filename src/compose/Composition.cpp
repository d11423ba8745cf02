// The drawing order of the picture. Every layer draws in image pixels and
// restores the canvas state it changed, so the order alone decides what
// covers what: analysis layers lie under the map lines, the title on top.

#include "compose/Composition.h"

#include <vector>

#include "analysis/EstimatePrecipitation.h"
#include "analysis/IsothermOverlay.h"
#include "analysis/PrecipDrawing.h"
#include "analysis/PrecipLegend.h"
#include "compose/ColourLegend.h"
#include "geo/MapLineOverlay.h"
#include "platform/Message.h"

namespace {

// The precipitation estimate is computed from the files on disk and drawn
// here, straight onto the image, at every composition while the display mode
// asks for it; a failed estimate has said why and draws nothing.
void DrawPrecipitationLayer(CCanvas& canvas, const CompositionScene& scene) {
    if (scene.precipitation == nullptr) {
        return;
    }
    if (EstimatePrecipitation(*scene.precipitation, scene.productPath) == 1) {
        DrawPrecipitation(canvas, *scene.precipitation, canvas.Width(), canvas.Height());
    }
}

// The visible NWP overlays, in the order of their list.
void DrawNwpLayer(CCanvas& canvas, const CompositionScene& scene) {
    if (scene.overlays != nullptr) {
        DrawNwpOverlays(canvas, scene.product, *scene.overlays);
    }
}

void DrawIsothermLayer(CCanvas& canvas, const CGeoImage& product) {
    if (product.productLoaded == 0) {
        return;
    }
    DrawIsotherms(canvas, product.Calibrated());
}

// The convection layers draw what the scene was given; nothing of them is
// worked out here, so a picture recomposed for a palette or a zoom costs no
// labelling.
void DrawConvectionLayer(CompositionLayer layer, CCanvas& canvas, const CompositionScene& scene) {
    const ConvectionLayers* convection = scene.convection;
    if (convection == nullptr || scene.product.productLoaded == 0) {
        return;
    }
    if (layer == CompositionLayer::Cooling && convection->cooling != nullptr) {
        DrawCooling(canvas, *convection->cooling);
    } else if (layer == CompositionLayer::Cells && convection->cells != nullptr) {
        DrawCells(canvas, *convection->cells);
    } else if (layer == CompositionLayer::Tracks && convection->tracks != nullptr) {
        DrawTracks(canvas, *convection->tracks, convection->frame);
    }
}

// The colour legend sits at the bottom, above the precipitation legend when
// that is shown, so neither hides the other.
void DrawLegendLayer(CCanvas& canvas, const CompositionScene& scene,
                     const CompositionLayers& layers) {
    if (scene.palette == nullptr) {
        return;
    }
    const int bottom = canvas.Height() -
                       (layers.m_nDisplayMode == kDisplayPrecipitation ? kPrecipLegendHeight : 0);
    DrawColourLegend(canvas, *scene.palette, LegendScaleOf(scene.product), layers.m_bIsotherms == 1,
                     bottom);
}

void DrawLayer(CompositionLayer layer, CCanvas& canvas, const CompositionScene& scene,
               const CompositionLayers& layers) {
    const CGeoImage& product = scene.product;
    switch (layer) {
        case CompositionLayer::Precipitation:
            DrawPrecipitationLayer(canvas, scene);
            break;
        case CompositionLayer::Isotherms:
            DrawIsothermLayer(canvas, product);
            break;
        case CompositionLayer::NwpOverlays:
            DrawNwpLayer(canvas, scene);
            break;
        case CompositionLayer::WorldMap:
            product.DrawWorldMap(canvas, scene.paths);
            break;
        case CompositionLayer::ChinaMap:
            product.DrawChinaMap(canvas, scene.paths);
            break;
        case CompositionLayer::Provinces:
            product.DrawProvinces(canvas, scene.paths);
            break;
        case CompositionLayer::Rivers:
            product.DrawRivers(canvas, scene.paths);
            break;
        case CompositionLayer::Grid:
            product.DrawGrid(canvas);
            break;
        case CompositionLayer::Title:
            product.DrawTitle(canvas, scene.regionNameGbk);
            break;
        case CompositionLayer::Legend:
            DrawLegendLayer(canvas, scene, layers);
            break;
        case CompositionLayer::Cooling:
        case CompositionLayer::Cells:
        case CompositionLayer::Tracks:
            DrawConvectionLayer(layer, canvas, scene);
            break;
    }
}

// The key of a layer that can be kept, or false. Map lines are kept only
// from an intact file (a damaged one is reported at every drawing), and
// nothing of an unloaded product, which draws nothing anyway.
bool KeyOf(CompositionLayer layer, const CompositionScene& scene, const CCanvas& canvas,
           LayerKey& key) {
    const CGeoImage& product = scene.product;
    if (product.productLoaded == 0) {
        return false;
    }
    key.layer = static_cast<int>(layer);
    key.params = product.Params();
    key.width = canvas.Width();
    key.height = canvas.Height();
    switch (layer) {
        case CompositionLayer::WorldMap:
        case CompositionLayer::ChinaMap:
        case CompositionLayer::Provinces:
        case CompositionLayer::Rivers: {
            const MapOverlay overlay = layer == CompositionLayer::WorldMap   ? MapOverlay::World
                                       : layer == CompositionLayer::ChinaMap ? MapOverlay::China
                                       : layer == CompositionLayer::Provinces
                                           ? MapOverlay::Provinces
                                           : MapOverlay::Rivers;
            const std::shared_ptr<const MapLines> lines = MapOverlayLines(overlay, scene.paths);
            if (!lines || !lines->intact) {
                return false;
            }
            key.source = lines;
            return true;
        }
        case CompositionLayer::Grid:
            return true;
        case CompositionLayer::Isotherms:
            key.source = product.CountsIdentity();
            key.table = product.CalibrationTable();
            return key.source != nullptr;
        default:
            return false;
    }
}

// Draws the layer, or writes what it drew before when nothing it depends on
// has changed; keeps what it draws when it can be kept.
void DrawOrPutLayer(CompositionLayer layer, CCanvas& canvas, const CompositionScene& scene,
                    const CompositionLayers& layers) {
    LayerKey key;
    CLayerMemory* memory = scene.layerMemory;
    if (memory == nullptr || !KeyOf(layer, scene, canvas, key)) {
        DrawLayer(layer, canvas, scene, layers);
        return;
    }
    if (const CanvasPixels* kept = memory->Find(key); kept && canvas.PutPixelRecord(*kept)) {
        return;
    }
    const bool recording = canvas.BeginPixelRecord();
    DrawLayer(layer, canvas, scene, layers);
    CanvasPixels pixels;
    if (recording && canvas.EndPixelRecord(pixels)) {
        memory->Keep(key, std::move(pixels));
    } else {
        memory->Forget(key.layer);
    }
}

}  // namespace

std::vector<CompositionLayer> LayersToDraw(const CompositionLayers& layers) {
    std::vector<CompositionLayer> order;
    if (layers.m_nDisplayMode == kDisplayPrecipitation) {
        order.push_back(CompositionLayer::Precipitation);
    }
    if (layers.m_bIsotherms == 1) {
        order.push_back(CompositionLayer::Isotherms);
    }
    if (layers.m_bCooling == 1) {
        order.push_back(CompositionLayer::Cooling);
    }
    if (layers.m_bCells == 1) {
        order.push_back(CompositionLayer::Cells);
    }
    if (layers.m_bTracks == 1) {
        order.push_back(CompositionLayer::Tracks);
    }
    order.push_back(CompositionLayer::NwpOverlays);
    if (layers.m_bMap == 1) {
        order.push_back(CompositionLayer::WorldMap);
        order.push_back(CompositionLayer::ChinaMap);
        if (layers.m_bProvinces == 1) {
            order.push_back(CompositionLayer::Provinces);
        }
        order.push_back(CompositionLayer::Rivers);
    }
    if (layers.m_bGrid == 1) {
        order.push_back(CompositionLayer::Grid);
    }
    if (layers.m_bTitle == 1) {
        order.push_back(CompositionLayer::Title);
    }
    if (layers.m_bLegend == 1) {
        order.push_back(CompositionLayer::Legend);
    }
    return order;
}

void DrawOverlayLayers(CCanvas& canvas, const CompositionScene& scene,
                       const CompositionLayers& layers) {
    std::vector<int> drawn;
    for (CompositionLayer layer : LayersToDraw(layers)) {
        DrawOrPutLayer(layer, canvas, scene, layers);
        drawn.push_back(static_cast<int>(layer));
    }
    if (scene.layerMemory != nullptr) {
        scene.layerMemory->KeepOnly(drawn);
    }
}

int ComposePicture(CDibImage& image, const CompositionScene& scene, const CompositionLayers& layers,
                   int& recompose, CPicture& picture) {
    if (image.IsEmpty()) {
        return 0;
    }
    // Drawing into a missing or mismatched picture would lose the overlays or
    // write outside it, so that too makes a new one.
    if (recompose || !picture.Fits(image.Width(), image.Height())) {
        if (!picture.Rebuild(image)) {
            ShowMessage("内存不足,不能创建兼容位图");
            return 0;
        }
        recompose = 0;
    }
    if (!image.ApplyPaletteFile(layers.m_strPalette, layers.m_bPaletteOn, &scene.paths.Cache())) {
        scene.paths.ReportUnusable(layers.m_strPalette);
    }
    if (!picture.PutImage(image)) {
        return 0;
    }
    const std::unique_ptr<CCanvas> canvas = picture.OpenCanvas();
    const int previousMode = canvas->SetBkMode(kBackgroundTransparent);
    CompositionScene drawn = scene;
    if (drawn.palette == nullptr) {
        drawn.palette = &image.Palette();
    }
    DrawOverlayLayers(*canvas, drawn, layers);
    canvas->SetBkMode(previousMode);
    return 1;
}
