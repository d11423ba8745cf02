// The title line drawn over the picture; it uses no geography, so a Disk
// image gets its title too.

#include "geo/TitleOverlay.h"

#include "platform/Canvas.h"

namespace {

constexpr std::uint32_t kTitleColour = CanvasRgb(232, 64, 64);
constexpr int kTitleLeft = 6;
constexpr int kTitleTop = 6;

CanvasFont TitleFont() {
    CanvasFont font;
    font.height = 16;
    font.weight = 600;
    font.escapement = 0;
    font.face = "Arial";
    return font;
}

}  // namespace

void DrawTitleLine(CCanvas& canvas, const std::string& utf8Text) {
    CCanvasStateGuard guard(canvas);
    canvas.SelectFont(TitleFont());
    canvas.SetBkMode(kBackgroundTransparent);
    canvas.SetTextColor(kTitleColour);
    canvas.TextOut(kTitleLeft, kTitleTop, utf8Text);
}

CanvasBox TitleLineBox(CCanvas& canvas, const std::string& utf8Text) {
    const CanvasFont previous = canvas.SelectFont(TitleFont());
    const CanvasSize size = canvas.TextExtent(utf8Text);
    canvas.SelectFont(previous);
    return CanvasBox{kTitleLeft, kTitleTop, kTitleLeft + size.cx, kTitleTop + size.cy};
}
