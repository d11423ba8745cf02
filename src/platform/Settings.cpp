#include "platform/Settings.h"

#include <charconv>

std::string CMemorySettings::GetString(const std::string& section, const std::string& key,
                                       const std::string& defaultValue) const {
    auto it = m_values.find({section, key});
    return it == m_values.end() ? defaultValue : it->second;
}

int CMemorySettings::GetInt(const std::string& section, const std::string& key,
                            int defaultValue) const {
    auto it = m_values.find({section, key});
    if (it == m_values.end()) {
        return defaultValue;
    }
    int value = 0;
    const std::string& text = it->second;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return (ec == std::errc() && end == text.data() + text.size()) ? value : defaultValue;
}

void CMemorySettings::SetString(const std::string& section, const std::string& key,
                                const std::string& value) {
    m_values[{section, key}] = value;
}

void CMemorySettings::SetInt(const std::string& section, const std::string& key, int value) {
    m_values[{section, key}] = std::to_string(value);
}

bool CMemorySettings::Has(const std::string& section, const std::string& key) const {
    return m_values.count({section, key}) != 0;
}
