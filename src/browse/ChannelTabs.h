#pragma once
// The five channel tabs shared by the file list and the animation frame list.
// Tab index i selects channel code i + 1.

#include <string>

constexpr int kChannelTabCount = 5;

// "红外一", "红外二", "水  汽", "红外三", "可见光" for tab indices 0-4; "" otherwise.
std::string ChannelTabText(int tabIndex);

// The channel code a tab selects: tab index + 1.
constexpr int ChannelOfTab(int tabIndex) {
    return tabIndex + 1;
}
