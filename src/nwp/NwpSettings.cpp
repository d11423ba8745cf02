#include "nwp/NwpSettings.h"

#include <charconv>
#include <cmath>

#include "nwp/DiamondTokens.h"

namespace {

constexpr int kMaxLabelHeight = 200;
// "%10.5f" keeps at most five decimals; a few more change nothing.
constexpr int kMaxDecimals = 10;
// Below this the label text is empty.
constexpr int kMinDecimals = -4;

bool ParseIntIn(const std::string& value, int low, int high, int& out) {
    int n = 0;
    const char* end = value.data() + value.size();
    const auto [ptr, ec] = std::from_chars(value.data(), end, n);
    if (value.empty() || ptr != end || ec != std::errc() || n < low || n > high) {
        return false;
    }
    out = n;
    return true;
}

// RRGGBB as people write colours, turned into the canvas's 0x00BBGGRR.
bool ParseRrggbb(const std::string& value, std::uint32_t& colour) {
    if (value.size() != 6) {
        return false;
    }
    unsigned rgb = 0;
    const char* end = value.data() + value.size();
    const auto [ptr, ec] = std::from_chars(value.data(), end, rgb, 16);
    if (ptr != end || ec != std::errc()) {
        return false;
    }
    colour =
        CanvasRgb(static_cast<int>(rgb >> 16), static_cast<int>(rgb >> 8), static_cast<int>(rgb));
    return true;
}

}  // namespace

bool IsNwpRenderOption(const std::string& option) {
    return option == "--nwp-interval" || option == "--nwp-color" || option == "--nwp-style" ||
           option == "--nwp-label-height" || option == "--nwp-decimals";
}

bool ParseNwpRenderOption(const std::string& option, const std::string& value,
                          NwpRenderOptions& options, std::string& error) {
    int n = 0;
    if (option == "--nwp-interval") {
        float interval = 0.0f;
        if (!ParseFloatToken(value, interval) || !std::isfinite(interval) || interval <= 0.0f) {
            error = "--nwp-interval wants a number above 0";
            return false;
        }
        options.interval = interval;
    } else if (option == "--nwp-color") {
        std::uint32_t colour = 0;
        if (!ParseRrggbb(value, colour)) {
            error = "--nwp-color wants RRGGBB in hexadecimal";
            return false;
        }
        options.colour = colour;
    } else if (option == "--nwp-style") {
        if (!ParseIntIn(value, kPenSolid, kPenDashDotDot, n)) {
            error = "--nwp-style wants 0 to 4";
            return false;
        }
        options.lineStyle = n;
    } else if (option == "--nwp-label-height") {
        if (!ParseIntIn(value, 1, kMaxLabelHeight, n)) {
            error = "--nwp-label-height wants 1 to 200";
            return false;
        }
        options.labelHeight = n;
    } else if (option == "--nwp-decimals") {
        if (!ParseIntIn(value, kMinDecimals, kMaxDecimals, n)) {
            error = "--nwp-decimals wants -4 to 10";
            return false;
        }
        options.labelDecimals = n;
    } else {
        error = "unknown option " + option;
        return false;
    }
    return true;
}

void ApplyNwpRenderOptions(const NwpRenderOptions& options, NwpSettings& current) {
    if (options.interval) {
        current.interval = *options.interval;
    }
    if (options.colour) {
        current.lineColour = *options.colour;
        current.labelColour = *options.colour;
    }
    if (options.lineStyle) {
        current.lineStyle = *options.lineStyle;
    }
    if (options.labelHeight) {
        current.labelHeight = *options.labelHeight;
    }
    if (options.labelDecimals) {
        current.labelDecimals = *options.labelDecimals;
    }
}
