#pragma once
// What the map line, grid and isotherm layers last drew, kept by the view
// between compositions: the pixels each layer wrote, in order, with all that
// its drawing depended on (the layer, the product's projection record, its
// counts and calibration table, the picture's size, the parsed data file). A
// composition whose layer depends on the same writes those pixels again
// instead of drawing: these layers write whole pixels of their own colours
// whatever lies beneath, so the picture is the same. Everything else (the
// image, the title, the precipitation estimate, NWP overlays) is drawn every
// time.

#include <array>
#include <memory>
#include <vector>

#include "geo/ProjectionParams.h"
#include "platform/Canvas.h"

struct LayerKey {
    int layer = -1;
    ProjectionParams params;
    int width = 0;
    int height = 0;
    // The parsed file or the counts the layer drew from: held, so that no
    // later one can be taken for it.
    std::shared_ptr<const void> source;
    std::array<float, 256> table{};

    // Numbers compare by their bits: equal keys make equal drawings.
    bool Matches(const LayerKey& other) const;
};

class CLayerMemory {
public:
    // The pixels kept for the key, or nullptr.
    const CanvasPixels* Find(const LayerKey& key) const;
    // Keeps the pixels of the key's layer, replacing what it held before.
    void Keep(const LayerKey& key, CanvasPixels pixels);
    // Forgets the layer.
    void Forget(int layer);
    // Forgets every layer but these (the ones whose pixels still hold for
    // the scene), so that nothing is held from an earlier product or file.
    void KeepOnly(const std::vector<int>& layers);
    void Clear() { m_entries.clear(); }

private:
    struct Entry {
        LayerKey key;
        CanvasPixels pixels;
    };
    std::vector<Entry> m_entries;  // at most one per layer
};
