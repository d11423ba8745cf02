#include "app/CSettingsOverlay.h"

#include <charconv>

void CSettingsOverlay::Override(const std::string& section, const std::string& key,
                                const std::string& value) {
    m_overrides[{section, key}] = value;
}

std::string CSettingsOverlay::GetString(const std::string& section, const std::string& key,
                                        const std::string& defaultValue) const {
    const auto found = m_overrides.find({section, key});
    return found != m_overrides.end() ? found->second
                                      : m_profile.GetString(section, key, defaultValue);
}

int CSettingsOverlay::GetInt(const std::string& section, const std::string& key,
                             int defaultValue) const {
    const auto found = m_overrides.find({section, key});
    if (found == m_overrides.end()) {
        return m_profile.GetInt(section, key, defaultValue);
    }
    int value = 0;
    const std::string& text = found->second;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() ? value : defaultValue;
}

void CSettingsOverlay::SetString(const std::string& section, const std::string& key,
                                 const std::string& value) {
    m_profile.SetString(section, key, value);
    const auto found = m_overrides.find({section, key});
    if (found != m_overrides.end()) {
        found->second = value;
    }
}

void CSettingsOverlay::SetInt(const std::string& section, const std::string& key, int value) {
    m_profile.SetInt(section, key, value);
    const auto found = m_overrides.find({section, key});
    if (found != m_overrides.end()) {
        found->second = std::to_string(value);
    }
}
