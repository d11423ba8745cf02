#include "compose/CLayerMemory.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <new>

namespace {

bool Same(double a, double b) {
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

bool SameParams(const ProjectionParams& a, const ProjectionParams& b) {
    return a.type == b.type && Same(a.centerLon, b.centerLon) && Same(a.centerLat, b.centerLat) &&
           Same(a.stdLat1, b.stdLat1) && Same(a.stdLat2, b.stdLat2) &&
           Same(a.resolution, b.resolution) && a.width == b.width && a.height == b.height &&
           Same(a.coneConstant, b.coneConstant) && Same(a.scale, b.scale) &&
           Same(a.originX, b.originX) && Same(a.originY, b.originY) &&
           Same(a.angleFactor, b.angleFactor) && Same(a.refLon, b.refLon) &&
           Same(a.lonScale, b.lonScale) && Same(a.resolutionDeg, b.resolutionDeg) &&
           Same(a.southLat, b.southLat) && Same(a.northLat, b.northLat) &&
           Same(a.westLon, b.westLon) && Same(a.eastLon, b.eastLon);
}

bool SameTable(const std::array<float, 256>& a, const std::array<float, 256>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), [](float x, float y) {
        return std::bit_cast<std::uint32_t>(x) == std::bit_cast<std::uint32_t>(y);
    });
}

// Only the last value written to each pixel shows, so a record keeps that
// one, in pixel order: the same picture from fewer writes, made in memory
// order.
void KeepLastWrites(CanvasPixels& pixels) {
    const std::size_t count = std::min(pixels.at.size(), pixels.value.size());
    std::vector<std::size_t> order(count);
    for (std::size_t i = 0; i < count; ++i) {
        order[i] = i;
    }
    std::stable_sort(order.begin(), order.end(), [&pixels](std::size_t a, std::size_t b) {
        return pixels.at[a] < pixels.at[b];
    });
    std::vector<std::uint32_t> at;
    std::vector<std::uint32_t> value;
    at.reserve(count);
    value.reserve(count);
    for (std::size_t k = 0; k < count; ++k) {
        const std::size_t i = order[k];
        if (k + 1 < count && pixels.at[order[k + 1]] == pixels.at[i]) {
            continue;  // written again later
        }
        at.push_back(pixels.at[i]);
        value.push_back(pixels.value[i]);
    }
    pixels.at = std::move(at);
    pixels.value = std::move(value);
}

}  // namespace

bool LayerKey::Matches(const LayerKey& other) const {
    return layer == other.layer && width == other.width && height == other.height &&
           source == other.source && SameParams(params, other.params) &&
           SameTable(table, other.table);
}

const CanvasPixels* CLayerMemory::Find(const LayerKey& key) const {
    for (const Entry& entry : m_entries) {
        if (entry.key.Matches(key)) {
            return &entry.pixels;
        }
    }
    return nullptr;
}

void CLayerMemory::Keep(const LayerKey& key, CanvasPixels pixels) {
    Forget(key.layer);
    try {
        KeepLastWrites(pixels);
        m_entries.push_back(Entry{key, std::move(pixels)});
    } catch (const std::bad_alloc&) {
        // Without memory the layer is simply drawn next time.
    }
}

void CLayerMemory::Forget(int layer) {
    std::erase_if(m_entries, [layer](const Entry& entry) { return entry.key.layer == layer; });
}

void CLayerMemory::KeepOnly(const std::vector<int>& layers) {
    std::erase_if(m_entries, [&layers](const Entry& entry) {
        return std::find(layers.begin(), layers.end(), entry.key.layer) == layers.end();
    });
}
