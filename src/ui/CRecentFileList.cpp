#include "ui/CRecentFileList.h"

#include <algorithm>

#include "platform/Settings.h"

namespace {

constexpr const char* kSection = "Recent File List";

std::string KeyOf(int index) {
    return "File" + std::to_string(index + 1);
}

}  // namespace

CRecentFileList::CRecentFileList(CSettings& settings) : m_settings(settings) {
    for (int i = 0; i < kSize; ++i) {
        std::string path = m_settings.GetString(kSection, KeyOf(i), "");
        if (!path.empty()) {
            m_paths.push_back(std::move(path));
        }
    }
}

void CRecentFileList::Add(const std::string& path) {
    if (path.empty()) {
        return;
    }
    m_paths.erase(std::remove(m_paths.begin(), m_paths.end(), path), m_paths.end());
    m_paths.insert(m_paths.begin(), path);
    if (m_paths.size() > static_cast<std::size_t>(kSize)) {
        m_paths.resize(kSize);
    }
    Write();
}

void CRecentFileList::Remove(int index) {
    if (index < 0 || index >= static_cast<int>(m_paths.size())) {
        return;
    }
    m_paths.erase(m_paths.begin() + index);
    Write();
}

void CRecentFileList::Write() const {
    for (int i = 0; i < kSize; ++i) {
        const bool listed = i < static_cast<int>(m_paths.size());
        m_settings.SetString(kSection, KeyOf(i), listed ? m_paths[i] : std::string());
    }
}

std::string CRecentFileList::MenuText(int index, const std::string& path) {
    std::string escaped;
    for (const char c : path) {
        escaped += c;
        if (c == '&') {
            escaped += '&';
        }
    }
    return "&" + std::to_string(index + 1) + " " + escaped;
}
