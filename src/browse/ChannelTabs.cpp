#include "browse/ChannelTabs.h"

#include <array>

namespace {

// The water-vapour tab has two blanks between its characters, unlike the
// channel's name elsewhere.
constexpr std::array<const char*, kChannelTabCount> kTabTexts = {"红外一", "红外二", "水  汽",
                                                                 "红外三", "可见光"};

}  // namespace

std::string ChannelTabText(int tabIndex) {
    if (tabIndex < 0 || tabIndex >= kChannelTabCount) {
        return std::string();
    }
    return kTabTexts[tabIndex];
}
