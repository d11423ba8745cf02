#pragma once
// Text written straight into a device picture, for the canvases that write a
// picture's pixels themselves. An implementation finds its face when text
// is first drawn or measured, so a picture without text opens no font.

#include <cstdint>
#include <string>

#include "platform/Canvas.h"
#include "platform/DevicePixels.h"

class CTextRaster {
public:
    virtual ~CTextRaster() = default;

    // The advance width of the line and the height of its cell (ascent +
    // descent) in font.
    virtual CanvasSize Extent(const CanvasFont& font, const std::string& utf8) = 0;
    // Draws the line with its cell's top-left corner at (x, y), turned
    // counter-clockwise by the font's escapement about that corner, in
    // colour (a device colour), without antialiasing. With opaque set, an
    // unturned cell is first filled with background.
    virtual void Draw(const DevicePixels& picture, int x, int y, const CanvasFont& font,
                      std::uint32_t colour, bool opaque, std::uint32_t background,
                      const std::string& utf8) = 0;
};
