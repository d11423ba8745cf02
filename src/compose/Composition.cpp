// The drawing order of the picture. Every layer draws in image pixels and
// restores the canvas state it changed, so the order alone decides what
// covers what: analysis layers lie under the map lines, the title on top.

#include "compose/Composition.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <vector>

#include "analysis/EstimatePrecipitation.h"
#include "analysis/IsothermOverlay.h"
#include "analysis/PrecipDrawing.h"
#include "analysis/PrecipLegend.h"
#include "compose/ColourLegend.h"
#include "geo/MapLineOverlay.h"
#include "geo/TitleOverlay.h"
#include "platform/Message.h"
#include "product/GridElements.h"
#include "product/ProductTitle.h"

namespace {

// The precipitation estimate is computed from the files on disk and drawn
// here, straight onto the image, at every composition while the display mode
// asks for it; a failed estimate has said why and draws nothing, its legend
// included.
void DrawPrecipitationLayer(CCanvas& canvas, const CompositionScene& scene) {
    if (scene.precipitation == nullptr) {
        return;
    }
    if (EstimatePrecipitation(*scene.precipitation, scene.productPath) == 1) {
        DrawPrecipitationPixels(canvas, *scene.precipitation);
    } else {
        scene.precipitation->Clear();
    }
}

// The legend of the estimate just drawn, after the map lines and the grid.
void DrawPrecipitationLegendLayer(CCanvas& canvas, const CompositionScene& scene) {
    if (scene.precipitation != nullptr) {
        DrawPrecipitationLegend(canvas, *scene.precipitation, canvas.Width(), canvas.Height());
    }
}

// The title text, naming the combination shown, with its mark when the
// scene has one.
std::string TitleLineText(const CompositionScene& scene) {
    const std::string title = scene.combined == nullptr
                                  ? scene.product.TitleText(scene.regionNameGbk)
                                  : ProductTitleText(scene.product.Description(),
                                                     scene.regionNameGbk, scene.combined->name);
    return scene.titleMark.empty() ? title : title + "  " + scene.titleMark;
}

// The visible NWP overlays, in the order of their list; their labels keep
// clear of the title line drawn over them.
void DrawNwpLayer(CCanvas& canvas, const CompositionScene& scene, const CompositionLayers& layers) {
    if (scene.overlays == nullptr) {
        return;
    }
    const bool titled = layers.m_bTitle == 1 && scene.product.productLoaded != 0;
    const CanvasBox title = titled ? TitleLineBox(canvas, TitleLineText(scene)) : CanvasBox{};
    DrawNwpOverlays(canvas, scene.product, *scene.overlays, titled ? &title : nullptr);
}

// A grid product whose element is no temperature has no isotherms.
void DrawIsothermLayer(CCanvas& canvas, const CGeoImage& product) {
    if (product.productLoaded == 0 || !ValuesAreTemperatures(product.Description())) {
        return;
    }
    DrawIsotherms(canvas, product.Calibrated());
}

// A mark goes on the title line itself, two blanks after the title text.
void DrawTitleLayer(CCanvas& canvas, const CompositionScene& scene) {
    const CGeoImage& product = scene.product;
    if ((scene.titleMark.empty() && scene.combined == nullptr) || product.productLoaded == 0) {
        product.DrawTitle(canvas, scene.regionNameGbk);
        return;
    }
    DrawTitleLine(canvas, TitleLineText(scene));
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

// A difference's legend reads the values its counts span.
LegendScale LegendScaleOfScene(const CompositionScene& scene) {
    if (scene.combined == nullptr || !scene.combined->difference) {
        return LegendScaleOf(scene.product);
    }
    LegendScale scale;
    scale.kind = LegendScale::Kind::kValue;
    scale.values = scene.combined->legendValues;
    scale.unit = scene.combined->legendUnit;
    return scale;
}

// A difference's colour table is its diverging palette: no palette file
// replaces it.
bool ApplyScenePalette(CDibImage& image, const CompositionScene& scene,
                       const CompositionLayers& layers) {
    if (scene.combined != nullptr && scene.combined->difference) {
        return true;
    }
    return image.ApplyPaletteFile(layers.m_strPalette, layers.m_bPaletteOn, &scene.paths.Cache());
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
    DrawColourLegend(canvas, *scene.palette, LegendScaleOfScene(scene), layers.m_bIsotherms == 1,
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
            DrawNwpLayer(canvas, scene, layers);
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
            DrawTitleLayer(canvas, scene);
            break;
        case CompositionLayer::Legend:
            DrawLegendLayer(canvas, scene, layers);
            break;
        case CompositionLayer::PrecipLegend:
            DrawPrecipitationLegendLayer(canvas, scene);
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
bool KeyOf(CompositionLayer layer, const CompositionScene& scene, int width, int height,
           LayerKey& key) {
    const CGeoImage& product = scene.product;
    if (product.productLoaded == 0) {
        return false;
    }
    key.layer = static_cast<int>(layer);
    key.params = product.Params();
    key.width = width;
    key.height = height;
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
    if (memory == nullptr || !KeyOf(layer, scene, canvas.Width(), canvas.Height(), key)) {
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

constexpr CompositionLayer kKeptLayers[] = {
    CompositionLayer::Isotherms, CompositionLayer::WorldMap, CompositionLayer::ChinaMap,
    CompositionLayer::Provinces, CompositionLayer::Rivers,   CompositionLayer::Grid,
};

// Keeps what every layer that can be kept last drew while it still holds for
// the scene, switched on or not, so that switching a layer back on finds it;
// anything drawn from an earlier product or file is let go.
void PruneLayerMemory(const CompositionScene& scene, int width, int height) {
    CLayerMemory* memory = scene.layerMemory;
    if (memory == nullptr) {
        return;
    }
    std::vector<int> current;
    for (CompositionLayer layer : kKeptLayers) {
        LayerKey key;
        if (KeyOf(layer, scene, width, height, key) && memory->Find(key) != nullptr) {
            current.push_back(key.layer);
        }
    }
    memory->KeepOnly(current);
}

bool IsKept(CompositionLayer layer) {
    return std::find(std::begin(kKeptLayers), std::end(kKeptLayers), layer) !=
           std::end(kKeptLayers);
}

// Only switches of layers that can be kept differ: the image, its palette and
// every layer drawn afresh look the same in both. The legend lists the
// isotherm levels while isotherms show, so it changes with their switch; the
// precipitation estimate is made again from its files at every composition,
// so with it shown the whole picture is composed.
bool OnlyKeptLayersSwitched(const CompositionLayers& shown, const CompositionLayers& layers) {
    return shown.m_strPalette == layers.m_strPalette && shown.m_bPaletteOn == layers.m_bPaletteOn &&
           shown.m_bTitle == layers.m_bTitle && shown.m_nDisplayMode == layers.m_nDisplayMode &&
           layers.m_nDisplayMode != kDisplayPrecipitation && shown.m_bLegend == layers.m_bLegend &&
           !(layers.m_bLegend == 1 && shown.m_bIsotherms != layers.m_bIsotherms);
}

// The layers drawn in one picture and not in the other.
std::vector<CompositionLayer> SwitchedLayers(const CompositionLayers& shown,
                                             const CompositionLayers& layers) {
    const std::vector<CompositionLayer> before = LayersToDraw(shown);
    const std::vector<CompositionLayer> after = LayersToDraw(layers);
    std::vector<CompositionLayer> switched;
    for (const auto* list : {&before, &after}) {
        const auto& other = list == &before ? after : before;
        for (CompositionLayer layer : *list) {
            if (std::find(other.begin(), other.end(), layer) == other.end()) {
                switched.push_back(layer);
            }
        }
    }
    return switched;
}

// What is kept of each layer for the scene as it is (nullptr for nothing),
// looked up once: finding a map file's lines asks the file system.
using KeptLayers = std::array<const CanvasPixels*, kCompositionLayerCount>;

KeptLayers FindKeptLayers(const CompositionScene& scene, int width, int height) {
    KeptLayers kept{};
    for (CompositionLayer layer : kKeptLayers) {
        LayerKey key;
        if (KeyOf(layer, scene, width, height, key)) {
            kept[static_cast<std::size_t>(layer)] = scene.layerMemory->Find(key);
        }
    }
    return kept;
}

// Applies the palette as a composition does; false when that changed the
// colour table (its file was rewritten), which changes every pixel.
bool PaletteKept(CDibImage& image, const CompositionScene& scene, const CompositionLayers& layers) {
    const std::vector<std::uint32_t> before = image.Palette();
    if (!ApplyScenePalette(image, scene, layers)) {
        scene.paths.ReportUnusable(layers.m_strPalette);
    }
    return image.Palette() == before;
}

// The pixels the switched layers wrote, and their tiles; false when one of
// them, or a drawn layer that can be kept, has nothing kept (drawing it now
// would keep nothing either: a switch would compose everything again).
bool SwitchedPixels(const KeptLayers& kept, const CompositionLayers& shown,
                    const CompositionLayers& layers, std::vector<std::uint32_t>& at,
                    CanvasTiles& tiles) {
    for (CompositionLayer layer : SwitchedLayers(shown, layers)) {
        const CanvasPixels* pixels = kept[static_cast<std::size_t>(layer)];
        if (pixels == nullptr) {
            return false;
        }
        at.insert(at.end(), pixels->at.begin(), pixels->at.end());
        tiles.MarkPixels(pixels->at, pixels->pixelsPerLine);
    }
    for (CompositionLayer layer : LayersToDraw(layers)) {
        if (IsKept(layer) && kept[static_cast<std::size_t>(layer)] == nullptr) {
            return false;
        }
    }
    return true;
}

// Every layer writes its own opaque colours whatever lies beneath, so a pixel
// shows the last layer that wrote it, or the image. Drawing the layers again
// over the picture therefore changes nothing where the switched layers did
// not write; where they did, the image is put back first and the layers then
// give what a whole composition gives.
bool RedrawSwitched(CDibImage& image, const CompositionScene& scene,
                    const CompositionLayers& layers, const KeptLayers& kept, CPicture& picture,
                    const std::vector<std::uint32_t>& at) {
    if (at.empty()) {
        return true;
    }
    if (!picture.PutImagePixels(image, at)) {
        return false;
    }
    const std::unique_ptr<CCanvas> canvas = picture.OpenCanvas();
    const int previousMode = canvas->SetBkMode(kBackgroundTransparent);
    CompositionScene drawn = scene;
    if (drawn.palette == nullptr) {
        drawn.palette = &image.Palette();
    }
    bool whole = true;
    for (CompositionLayer layer : LayersToDraw(layers)) {
        const CanvasPixels* pixels = kept[static_cast<std::size_t>(layer)];
        if (pixels == nullptr) {
            DrawLayer(layer, *canvas, drawn, layers);
        } else if (!canvas->PutPixelRecord(*pixels)) {
            whole = false;
            break;
        }
    }
    canvas->SetBkMode(previousMode);
    return whole;
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
    if (layers.m_nDisplayMode == kDisplayPrecipitation) {
        order.push_back(CompositionLayer::PrecipLegend);
    }
    if (layers.m_bLegend == 1) {
        order.push_back(CompositionLayer::Legend);
    }
    return order;
}

void DrawOverlayLayers(CCanvas& canvas, const CompositionScene& scene,
                       const CompositionLayers& layers) {
    for (CompositionLayer layer : LayersToDraw(layers)) {
        DrawOrPutLayer(layer, canvas, scene, layers);
    }
    PruneLayerMemory(scene, canvas.Width(), canvas.Height());
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
    if (!ApplyScenePalette(image, scene, layers)) {
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

int ComposeLayerSwitch(CDibImage& image, const CompositionScene& scene,
                       const CompositionLayers& shown, const CompositionLayers& layers,
                       int& recompose, CPicture& picture, CanvasTiles& changed) {
    changed = CanvasTiles(image.Width(), image.Height());
    const bool partial = !image.IsEmpty() && recompose == 0 && scene.layerMemory != nullptr &&
                         scene.product.productLoaded != 0 &&
                         picture.Fits(image.Width(), image.Height()) &&
                         OnlyKeptLayersSwitched(shown, layers);
    std::vector<std::uint32_t> at;
    if (partial && PaletteKept(image, scene, layers)) {
        const KeptLayers kept = FindKeptLayers(scene, image.Width(), image.Height());
        // Nothing new is kept, and what is kept still holds: no pruning.
        if (SwitchedPixels(kept, shown, layers, at, changed) &&
            RedrawSwitched(image, scene, layers, kept, picture, at)) {
            return 1;
        }
    }
    // Whatever was begun is written over by the whole composition.
    changed.MarkAll();
    return ComposePicture(image, scene, layers, recompose, picture);
}
