#pragma once
// A profile with values set for this run only: reads of an overridden key
// give the run's value, every other key passes through to the profile. A
// write goes to the profile and, for an overridden key, also replaces the
// run's value, so a choice the user makes still takes effect at once.

#include <map>
#include <string>
#include <utility>

#include "platform/Settings.h"

class CSettingsOverlay : public CSettings {
public:
    // profile must outlive the overlay.
    explicit CSettingsOverlay(CSettings& profile) : m_profile(profile) {}

    // Makes section/key read as value for this run without writing the profile.
    void Override(const std::string& section, const std::string& key, const std::string& value);

    std::string GetString(const std::string& section, const std::string& key,
                          const std::string& defaultValue) const override;
    int GetInt(const std::string& section, const std::string& key, int defaultValue) const override;
    void SetString(const std::string& section, const std::string& key,
                   const std::string& value) override;
    void SetInt(const std::string& section, const std::string& key, int value) override;

private:
    using Key = std::pair<std::string, std::string>;

    CSettings& m_profile;
    std::map<Key, std::string> m_overrides;
};
