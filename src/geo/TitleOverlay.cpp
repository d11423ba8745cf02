// The one-line text title: satellite, region, observation time and channel.

#include <cstdio>

#include "platform/Canvas.h"
#include "platform/TextCodec.h"
#include "product/CGeoImage.h"

namespace {

constexpr std::uint32_t kTitleColour = CanvasRgb(232, 64, 64);
constexpr int kTitleLeft = 6;
constexpr int kTitleTop = 6;

const char* ChannelName(int channel) {
    switch (channel) {
        case 2:
            return "红外二";
        case 3:
            return "水汽";
        case 4:
            return "红外三";
        case 5:
            return "可见光";
        default:
            return "红外一";  // 1 and every unknown code
    }
}

// Texts from the file are fixed-size buffers: nothing after a NUL belongs to them.
std::string UpToNul(const std::string& text) {
    return text.substr(0, text.find('\0'));
}

}  // namespace

std::string CGeoImage::TitleText(const std::string& regionNameGbk) const {
    const ProductDescription& d = Description();
    const std::string satellite = GbkToUtf8(UpToNul(d.satelliteName));
    const std::string region = GbkToUtf8(UpToNul(regionNameGbk));
    char time[64];
    std::snprintf(time, sizeof time, "%04d年%02d月%02d日%02d时%02d分", d.year, d.month, d.day,
                  d.hour, d.minute);
    // Without a region record the name and its blank are left out, so the
    // title never shows a doubled blank.
    std::string text = satellite + " ";
    if (!region.empty()) {
        text += region + " ";
    }
    return text + time + " " + ChannelName(d.channel);
}

int CGeoImage::DrawTitle(CCanvas& canvas, const std::string& regionNameGbk) const {
    if (productLoaded == 0) {
        return 0;
    }
    CCanvasStateGuard guard(canvas);
    CanvasFont font;
    font.height = 16;
    font.weight = 600;
    font.escapement = 0;
    font.face = "Arial";
    canvas.SelectFont(font);
    canvas.SetBkMode(kBackgroundTransparent);
    canvas.SetTextColor(kTitleColour);
    canvas.TextOut(kTitleLeft, kTitleTop, TitleText(regionNameGbk));
    return 1;
}
