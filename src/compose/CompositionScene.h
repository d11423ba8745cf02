#pragma once
// What one composition draws from besides the image: the open product and
// the files and lists that the layers read. A picture job (CPictureJob)
// assembles it; tests may fill one in by hand.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "analysis/CPrecipEstimate.h"
#include "channels/Combination.h"
#include "compose/CLayerMemory.h"
#include "convection/ConvectionOverlay.h"
#include "nwp/CNwpOverlay.h"
#include "platform/DataPaths.h"
#include "product/CGeoImage.h"

struct CompositionScene {
    CompositionScene(const CGeoImage& productIn, const CDataPaths& pathsIn)
        : product(productIn), paths(pathsIn) {}

    const CGeoImage& product;
    const CDataPaths& paths;
    // The region's name as stored (GBK), for the title.
    std::string regionNameGbk;
    // Said after the title text (UTF-8): a loop marks a held frame with the
    // missing slot's time ("缺测 13:00"); empty for none.
    std::string titleMark;
    // The open file's full path: the precipitation estimate finds the two
    // infrared channels from it.
    std::string productPath;
    // The job's estimate, recomputed at every composition while the
    // display mode is 105; none leaves the slot empty.
    CPrecipEstimate* precipitation = nullptr;
    // The job's NWP overlays in their order; the visible ones are drawn.
    const std::vector<CNwpOverlay>* overlays = nullptr;
    // The image's display palette as composed, for the colour legend; the
    // composition fills it in when it is not given.
    const std::vector<std::uint32_t>* palette = nullptr;
    // The cells, tracks and cooling map of the picture, worked out by the
    // job's convection sources (they change only with the picture); none
    // leaves the convection layers empty.
    const ConvectionLayers* convection = nullptr;
    // What earlier compositions drew of the layers that can be kept (see
    // CLayerMemory); none draws every layer.
    CLayerMemory* layerMemory = nullptr;
    // A picture of several channels: its name replaces the channel's in the
    // title, and a difference keeps its own palette and legend values.
    const CombinedPicture* combined = nullptr;
};

// The scene of a product with the region name for its title.
inline CompositionScene SceneOf(const CGeoImage& product, std::string regionNameGbk,
                                const CDataPaths& paths) {
    CompositionScene scene(product, paths);
    scene.regionNameGbk = std::move(regionNameGbk);
    return scene;
}
