#include "nwp/NwpOverlayColours.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace {

constexpr std::array<std::uint32_t, 4> kNextColours = {
    CanvasRgb(255, 0, 255),  // magenta
    CanvasRgb(255, 128, 0),  // orange
    CanvasRgb(0, 255, 255),  // cyan
    CanvasRgb(128, 64, 0),   // brown
};

bool IsShown(const CNwpOverlay& overlay) {
    return overlay.IsVisible() == 1 && !overlay.FilePath().empty();
}

}  // namespace

void TakeNextOverlayColour(const std::vector<CNwpOverlay>& overlays, CNwpOverlay& added) {
    const auto shown = std::count_if(overlays.begin(), overlays.end(), IsShown);
    if (shown == 0) {
        return;
    }
    const auto unused =
        std::find_if(kNextColours.begin(), kNextColours.end(), [&](std::uint32_t c) {
            return std::none_of(overlays.begin(), overlays.end(), [c](const CNwpOverlay& o) {
                return IsShown(o) && o.CurrentSettings().lineColour == c;
            });
        });
    const std::uint32_t colour =
        unused != kNextColours.end()
            ? *unused
            : kNextColours[static_cast<std::size_t>(shown - 1) % kNextColours.size()];
    NwpSettings& current = added.CurrentSettings();
    current.lineColour = colour;
    current.labelColour = colour;
    added.SetDefaultColour(colour);
}
