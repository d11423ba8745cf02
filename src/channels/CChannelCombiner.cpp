#include "channels/CChannelCombiner.h"

#include <algorithm>
#include <cstdio>

#include "channels/CombinedImage.h"
#include "product/AwxHeaders.h"

namespace {

constexpr int kInfrared1 = 1;
constexpr int kVisible = 5;

// "285.1 K", "45.0 %"
std::string ValueText(int code, float value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f %s", value, code == kVisible ? "%" : "K");
    return text;
}

}  // namespace

bool CChannelCombiner::Make(const Combination& combination, const std::string& productPath,
                            const std::vector<std::string>& folders, CDibImage& image,
                            CombinedPicture& picture, std::string& problem) {
    ChannelSearch search;
    search.productPath = productPath;
    search.folders = folders;
    search.channels = ChannelsOf(combination);
    if (search.channels.empty()) {
        problem = "组合没有通道";
        return false;
    }
    if (!m_set.Load(search, problem) ||
        !MakeCombinedImage(combination, m_set, image, picture, problem)) {
        return false;
    }
    m_combination = combination;
    const bool readsInfrared1 = std::find(search.channels.begin(), search.channels.end(),
                                          kInfrared1) != search.channels.end();
    m_nSubject = readsInfrared1 ? kInfrared1 : search.channels.front();
    return true;
}

std::string CChannelCombiner::Readout(int x, int y) const {
    const std::vector<int> codes = ChannelsOf(m_combination);
    std::string text;
    float values[kChannelCodeCount] = {};
    for (int code : codes) {
        const CGeoImage* product = m_set.Channel(code);
        if (product == nullptr || !product->CalibratedValueAt(x, y, values[code])) {
            return std::string();
        }
    }
    if (m_combination.difference) {
        const ChannelTerm& term = m_combination.recipe.colours[0].term;
        char difference[48];
        std::snprintf(difference, sizeof difference, "差值 %.1f K",
                      values[term.first] - values[term.second]);
        text = difference;
        for (int code : {term.first, term.second}) {
            text += "  " + ChannelName(code) + " " + ValueText(code, values[code]);
        }
        return text;
    }
    for (int code : codes) {
        text +=
            (text.empty() ? "" : "  ") + ChannelName(code) + " " + ValueText(code, values[code]);
    }
    return text;
}
