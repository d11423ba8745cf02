// The tiles a partial composition changed become the rectangles the view
// repaints: every marked pixel must lie in one, neighbours join, and the
// picture's edge cuts the last row and column of tiles.

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/CanvasTiles.h"

namespace {

TEST(CanvasTiles, MarkedPixelsBecomeJoinedRunsCutToThePicture) {
    struct Case {
        const char* name;
        std::vector<std::uint32_t> at;  // y * 100 + x on a 100-pixel line
        std::vector<CanvasRect> runs;
    };
    const Case cases[] = {
        {"none", {}, {}},
        {"one pixel", {17 * 100 + 40}, {{32, 16, 48, 32}}},
        {"neighbours join", {5, 20, 35}, {{0, 0, 48, 16}}},
        {"a gap splits", {5, 40}, {{0, 0, 16, 16}, {32, 0, 48, 16}}},
        {"edges cut", {49 * 100 + 89}, {{80, 48, 90, 50}}},
        {"line padding ignored", {95}, {}},
        {"rows apart", {5, 20 * 100 + 1}, {{0, 0, 16, 16}, {0, 16, 16, 32}}},
    };
    for (const Case& c : cases) {
        CanvasTiles tiles(90, 50);
        tiles.MarkPixels(c.at, 100);
        EXPECT_EQ(tiles.Runs(), c.runs) << c.name;
        EXPECT_EQ(tiles.Empty(), c.runs.empty()) << c.name;
    }
}

}  // namespace
