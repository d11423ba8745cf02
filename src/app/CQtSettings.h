#pragma once
// The per-user profile on QSettings: native format, user scope, company
// "Local AppWizard-Generated Applications", application "kelvra"; sections
// are QSettings groups.

#include <QSettings>

#include "platform/Settings.h"

class CQtSettings : public CSettings {
public:
    CQtSettings();
    // A profile in a given file, for tests that must not touch the user's.
    explicit CQtSettings(const QString& iniFile);

    std::string GetString(const std::string& section, const std::string& key,
                          const std::string& defaultValue) const override;
    int GetInt(const std::string& section, const std::string& key, int defaultValue) const override;
    void SetString(const std::string& section, const std::string& key,
                   const std::string& value) override;
    void SetInt(const std::string& section, const std::string& key, int value) override;

private:
    static QString KeyPath(const std::string& section, const std::string& key);

    mutable QSettings m_settings;
};
