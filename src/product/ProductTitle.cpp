// The title text shown in the picture's top-left corner.

#include "product/ProductTitle.h"

#include <cstdio>

#include "platform/TextCodec.h"
#include "product/AwxHeaders.h"
#include "product/GridElements.h"

namespace {

// The title names every unknown channel code as infrared 1.
std::string TitleChannelName(int channel) {
    const std::string name = ChannelName(channel);
    return name.empty() ? std::string("红外一") : name;
}

// Texts from the file are fixed-size buffers: nothing after a NUL belongs to them.
std::string UpToNul(const std::string& text) {
    return text.substr(0, text.find('\0'));
}

}  // namespace

std::string ProductTitleText(const ProductDescription& d, const std::string& regionNameGbk) {
    return ProductTitleText(
        d, regionNameGbk,
        d.IsGrid() ? GridElementOf(d.grid.element).name : TitleChannelName(d.channel));
}

std::string ProductTitleText(const ProductDescription& d, const std::string& regionNameGbk,
                             const std::string& what) {
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
    return text + time + " " + what;
}
