#pragma once
// Dialog units of the original layouts in pixels. A dialog unit is a quarter
// of the dialog font's average character width horizontally and an eighth of
// its height vertically; for the 9-point "宋体" dialog font at 96 dpi that
// is about 1.5 and 1.625 pixels.

#include <QRect>
#include <QSize>
#include <cmath>

constexpr double kDialogUnitX = 1.5;
constexpr double kDialogUnitY = 1.625;

inline int DialogUnitsToPixelsX(int units) {
    return static_cast<int>(std::lround(units * kDialogUnitX));
}

inline int DialogUnitsToPixelsY(int units) {
    return static_cast<int>(std::lround(units * kDialogUnitY));
}

inline QSize DialogUnitsToPixels(int width, int height) {
    return {DialogUnitsToPixelsX(width), DialogUnitsToPixelsY(height)};
}

// A control's rectangle from its position and size in dialog units.
inline QRect DialogUnitsToPixels(int x, int y, int width, int height) {
    return {DialogUnitsToPixelsX(x), DialogUnitsToPixelsY(y), DialogUnitsToPixelsX(width),
            DialogUnitsToPixelsY(height)};
}
