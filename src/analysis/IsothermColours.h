#pragma once
// The isotherm colour table of a product; the levels use its first eleven
// entries, the warmest level entry 0.

#include <array>
#include <cstdint>

#include "platform/Canvas.h"

inline constexpr std::array<std::uint32_t, 21> kIsothermColours = {
    CanvasRgb(255, 0, 0),    CanvasRgb(0, 255, 0),     CanvasRgb(0, 0, 255),
    CanvasRgb(255, 255, 0),  CanvasRgb(0, 255, 255),   CanvasRgb(255, 0, 255),
    CanvasRgb(176, 48, 96),  CanvasRgb(46, 139, 87),   CanvasRgb(160, 32, 240),
    CanvasRgb(255, 127, 80), CanvasRgb(127, 255, 212), CanvasRgb(218, 112, 214),
    CanvasRgb(160, 82, 45),  CanvasRgb(127, 255, 0),   CanvasRgb(216, 191, 216),
    CanvasRgb(0, 0, 238),    CanvasRgb(0, 0, 205),     CanvasRgb(0, 0, 139),
    CanvasRgb(0, 238, 238),  CanvasRgb(0, 205, 205),   CanvasRgb(0, 139, 139),
};
