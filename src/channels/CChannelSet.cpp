#include "channels/CChannelSet.h"

#include "product/AwxHeaders.h"

bool CChannelSet::Load(const ChannelSearch& search, std::string& problem) {
    FoundChannels found;
    if (!FindChannelFiles(search, found)) {
        problem = found.problem;
        return false;
    }
    for (int code : search.channels) {
        const auto at = static_cast<std::size_t>(code);
        if (m_paths[at] == found.paths[at] && m_products[at].productLoaded == 1) {
            continue;
        }
        m_paths[at] = found.paths[at];
        if (!m_products[at].ReadProduct(m_paths[at]) ||
            m_products[at].Calibrated().values != nullptr) {
            m_paths[at].clear();
            problem = ChannelName(code) + "通道文件 " + found.paths[at] + " 不能读取";
            return false;
        }
    }
    return true;
}

const CGeoImage* CChannelSet::Channel(int code) const {
    if (code <= 0 || code >= kChannelCodeCount) {
        return nullptr;
    }
    const auto at = static_cast<std::size_t>(code);
    return m_paths[at].empty() || m_products[at].productLoaded != 1 ? nullptr : &m_products[at];
}

const std::string& CChannelSet::PathOf(int code) const {
    static const std::string kNone;
    return code > 0 && code < kChannelCodeCount ? m_paths[static_cast<std::size_t>(code)] : kNone;
}
