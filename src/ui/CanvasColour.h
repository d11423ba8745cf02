#pragma once
// The system's colours (0x00BBGGRR, red in the low byte) as Qt colours and back.

#include <QColor>
#include <cstdint>

#include "platform/Canvas.h"

inline QColor ToQColor(std::uint32_t colour) {
    return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                  static_cast<int>((colour >> 16) & 0xFF));
}

inline std::uint32_t FromQColor(const QColor& colour) {
    return CanvasRgb(colour.red(), colour.green(), colour.blue());
}
