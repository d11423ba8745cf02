// A kept layer is found only under a key equal in every part it depends on;
// -0.0 and 0.0 count as different numbers, since they could draw differently.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "compose/CLayerMemory.h"

namespace {

LayerKey BaseKey(const std::shared_ptr<const void>& source) {
    LayerKey key;
    key.layer = 3;
    key.params.type = 1;
    key.params.scale = 20.0;
    key.params.westLon = 60.0;
    key.width = 300;
    key.height = 200;
    key.source = source;
    key.table[10] = 250.5f;
    return key;
}

struct KeyChange {
    const char* name;
    std::function<void(LayerKey&)> change;
    bool found;
};

TEST(LayerMemoryKeys, FoundOnlyUnderAnEqualKey) {
    const auto source = std::make_shared<int>(1);
    const auto other = std::make_shared<int>(1);
    const KeyChange changes[] = {
        {"same", [](LayerKey&) {}, true},
        {"layer", [](LayerKey& k) { k.layer = 4; }, false},
        {"projection", [](LayerKey& k) { k.params.scale = 20.000000001; }, false},
        {"extent sign of zero", [](LayerKey& k) { k.params.southLat = -0.0; }, false},
        {"width", [](LayerKey& k) { k.width = 301; }, false},
        {"height", [](LayerKey& k) { k.height = 199; }, false},
        {"another source", [&other](LayerKey& k) { k.source = other; }, false},
        {"table", [](LayerKey& k) { k.table[255] = 1.0f; }, false},
    };
    for (const KeyChange& c : changes) {
        CLayerMemory memory;
        CanvasPixels pixels;
        pixels.at = {5, 9};
        pixels.value = {1, 2};
        memory.Keep(BaseKey(source), pixels);
        LayerKey key = BaseKey(source);
        c.change(key);
        const CanvasPixels* found = memory.Find(key);
        EXPECT_EQ(found != nullptr, c.found) << c.name;
    }
}

TEST(LayerMemoryKeys, OneEntryPerLayerAndOnlyTheLayersDrawn) {
    const auto source = std::make_shared<int>(1);
    CLayerMemory memory;
    LayerKey first = BaseKey(source);
    LayerKey second = BaseKey(source);
    second.width = 10;
    memory.Keep(first, CanvasPixels{});
    memory.Keep(second, CanvasPixels{});
    EXPECT_EQ(memory.Find(first), nullptr);  // replaced by the newer drawing
    ASSERT_NE(memory.Find(second), nullptr);
    LayerKey grid = BaseKey(nullptr);
    grid.layer = 7;
    memory.Keep(grid, CanvasPixels{});
    memory.KeepOnly({7});
    EXPECT_EQ(memory.Find(second), nullptr);
    EXPECT_NE(memory.Find(grid), nullptr);
}

// Several writes to one pixel keep the last; the kept pixels are in order.
TEST(LayerMemoryKeys, KeepsTheLastWriteOfEachPixel) {
    CLayerMemory memory;
    CanvasPixels pixels;
    pixels.at = {9, 3, 9, 1, 3, 9};
    pixels.value = {1, 2, 3, 4, 5, 6};
    memory.Keep(BaseKey(nullptr), pixels);
    const CanvasPixels* kept = memory.Find(BaseKey(nullptr));
    ASSERT_NE(kept, nullptr);
    EXPECT_EQ(kept->at, (std::vector<std::uint32_t>{1, 3, 9}));
    EXPECT_EQ(kept->value, (std::vector<std::uint32_t>{4, 5, 6}));
}

}  // namespace
