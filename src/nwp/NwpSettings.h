#pragma once
// How one overlay's contours are drawn: the settings block (nine values, in
// the order the settings dialog and the drawing use them) with its
// construction defaults, and the options of the command-line renderer that
// set the current block of every overlay of a command.

#include <cstdint>
#include <optional>
#include <string>

#include "platform/Canvas.h"

struct NwpSettings {
    int contoursOn = 1;
    int reserved1 = 0;
    int reserved2 = 0;
    std::uint32_t lineColour = CanvasRgb(0, 0, 255);
    int lineStyle = kPenSolid;  // 0..4: solid, dash, dot, dash-dot, dash-dot-dot
    float interval = 4.0f;
    std::uint32_t labelColour = CanvasRgb(0, 0, 255);
    int labelHeight = 16;  // character height in pixels
    int labelDecimals = 1;
    bool operator==(const NwpSettings&) const = default;
};

// The renderer's --nwp-* options; each one given replaces its value of the
// current block. One colour sets line and label alike, as the settings
// dialog couples them by default.
struct NwpRenderOptions {
    std::optional<float> interval;
    std::optional<std::uint32_t> colour;  // 0x00BBGGRR
    std::optional<int> lineStyle;
    std::optional<int> labelHeight;
    std::optional<int> labelDecimals;
};

// Parses the value of one option: "--nwp-interval" (a number above 0),
// "--nwp-color" (RRGGBB in hexadecimal), "--nwp-style" (0..4),
// "--nwp-label-height" (1..200 pixels) or "--nwp-decimals" (-4..10, fewer
// decimals would leave the labels empty). False with a reason in `error` for
// an unknown option or a value out of its range; options unchanged then.
bool ParseNwpRenderOption(const std::string& option, const std::string& value,
                          NwpRenderOptions& options, std::string& error);

// True for the option names ParseNwpRenderOption knows.
bool IsNwpRenderOption(const std::string& option);

// Writes the options given into a current settings block.
void ApplyNwpRenderOptions(const NwpRenderOptions& options, NwpSettings& current);
