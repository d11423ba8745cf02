#include "channels/ChannelTerm.h"

#include <array>
#include <cctype>

namespace {

constexpr std::array<const char*, kChannelCodeCount> kShortNames = {"",   "IR1", "IR2",
                                                                    "WV", "IR3", "VIS"};

bool SameLetters(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::toupper(static_cast<unsigned char>(a[i])) !=
            std::toupper(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

}  // namespace

int ChannelOfShortName(std::string_view name) {
    for (int code = 1; code < kChannelCodeCount; ++code) {
        if (SameLetters(name, kShortNames[static_cast<std::size_t>(code)])) {
            return code;
        }
    }
    return 0;
}

std::string ShortNameOfChannel(int code) {
    return code > 0 && code < kChannelCodeCount ? kShortNames[static_cast<std::size_t>(code)] : "";
}

bool ParseChannelTerm(std::string_view text, ChannelTerm& term) {
    const std::size_t minus = text.find('-');
    ChannelTerm parsed;
    parsed.first = ChannelOfShortName(text.substr(0, minus));
    if (minus != std::string_view::npos) {
        parsed.second = ChannelOfShortName(text.substr(minus + 1));
        if (parsed.second == 0 || parsed.second == parsed.first) {
            return false;
        }
    }
    if (parsed.first == 0) {
        return false;
    }
    term = parsed;
    return true;
}

std::vector<int> ChannelsOf(const ChannelTerm& term) {
    std::vector<int> channels{term.first};
    if (term.IsDifference()) {
        channels.push_back(term.second);
    }
    return channels;
}
