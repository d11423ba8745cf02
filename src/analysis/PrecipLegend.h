#pragma once
// The six rain classes of the precipitation display: the amounts each class
// holds, the colour of its pixels, and its legend entry. The legend boxes of
// the two heaviest classes are a shade off their pixels' colour, as the
// system has always drawn them.

#include <array>
#include <cstdint>

#include "platform/Canvas.h"

// The legend's white box covers this many rows at the bottom of the picture.
inline constexpr int kPrecipLegendHeight = 60;

struct PrecipClass {
    int lowest;                 // smallest amount of the class, mm
    std::uint32_t pixelColour;  // colour of its rain pixels
    const char* label;          // legend label, UTF-8
    int labelX;                 // left of the label
    int boxLeft;                // box spans [boxLeft, boxRight)
    int boxRight;
    std::uint32_t boxColour;  // colour of its legend box
};

inline constexpr std::array<PrecipClass, 6> kPrecipClasses = {{
    {1, CanvasRgb(0, 191, 254), "0", 8, 10, 40, CanvasRgb(0, 191, 254)},
    {6, CanvasRgb(3, 76, 255), "6", 38, 40, 70, CanvasRgb(3, 76, 255)},
    {12, CanvasRgb(248, 122, 246), "12", 68, 70, 100, CanvasRgb(248, 122, 246)},
    {18, CanvasRgb(122, 89, 92), "18", 98, 100, 130, CanvasRgb(122, 89, 92)},
    {24, CanvasRgb(250, 62, 4), "24", 128, 130, 160, CanvasRgb(250, 59, 4)},
    {30, CanvasRgb(255, 1, 0), "30 (单位：mm)", 158, 160, 190, CanvasRgb(255, 0, 0)},
}};

// The class of an amount of 1..30 mm (index into kPrecipClasses).
inline int PrecipClassOf(int amount) {
    int k = 0;
    while (k + 1 < static_cast<int>(kPrecipClasses.size()) &&
           amount >= kPrecipClasses[k + 1].lowest) {
        ++k;
    }
    return k;
}
