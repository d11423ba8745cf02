#pragma once
// A picture as plain memory: one 32-bit device colour 0xFFRRGGBB a pixel
// (Qt's RGB32), top row first. The composition's pictures are kept so,
// whether a QImage holds the memory or not.

#include <cstddef>
#include <cstdint>

struct DevicePixels {
    std::uint32_t* top = nullptr;
    std::ptrdiff_t pixelsPerLine = 0;
    int width = 0;
    int height = 0;

    bool Empty() const { return top == nullptr || width <= 0 || height <= 0; }
    std::uint32_t* Row(int y) const { return top + pixelsPerLine * y; }
};

constexpr std::uint32_t DeviceRgb(int red, int green, int blue) {
    return 0xFF000000u | (static_cast<std::uint32_t>(red & 0xFF) << 16) |
           (static_cast<std::uint32_t>(green & 0xFF) << 8) |
           static_cast<std::uint32_t>(blue & 0xFF);
}

// A canvas colour (0x00BBGGRR) as a device colour.
constexpr std::uint32_t DeviceColour(std::uint32_t canvasColour) {
    return DeviceRgb(static_cast<int>(canvasColour & 0xFF),
                     static_cast<int>((canvasColour >> 8) & 0xFF),
                     static_cast<int>((canvasColour >> 16) & 0xFF));
}
