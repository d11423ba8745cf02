#pragma once
// What one colour or one difference picture is made of: a channel, or the
// difference of two channels of the same observation, in calibrated values
// (kelvin for the infrared and water-vapour channels, percent albedo for the
// visible one). Channels are named by the system's codes (1 infrared 1,
// 2 infrared 2, 3 water vapour, 4 infrared 3, 5 visible) and, in recipe
// files, by the short names the product names use.

#include <string>
#include <string_view>
#include <vector>

constexpr int kChannelCodeCount = 6;  // codes 1-5; 0 is none

struct ChannelTerm {
    int first = 0;
    int second = 0;  // 0: the first channel alone, else first − second

    bool IsDifference() const { return second != 0; }
};

// "IR1", "IR2", "WV", "IR3", "VIS" (any letter case) → 1-5; 0 otherwise.
int ChannelOfShortName(std::string_view name);
// The short name of a code; "" outside 1-5.
std::string ShortNameOfChannel(int code);
// "IR1-IR2" or "VIS" → a term; false for anything else.
bool ParseChannelTerm(std::string_view text, ChannelTerm& term);
// The channels a term reads, first then second.
std::vector<int> ChannelsOf(const ChannelTerm& term);
