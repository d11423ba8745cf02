#pragma once
// The per-user profile, as sections and keys. The application uses a
// QSettings-backed implementation; the core and the tests use the in-memory one.

#include <map>
#include <string>
#include <utility>

class CSettings {
public:
    virtual ~CSettings() = default;
    virtual std::string GetString(const std::string& section, const std::string& key,
                                  const std::string& defaultValue) const = 0;
    virtual int GetInt(const std::string& section, const std::string& key,
                       int defaultValue) const = 0;
    virtual void SetString(const std::string& section, const std::string& key,
                           const std::string& value) = 0;
    virtual void SetInt(const std::string& section, const std::string& key, int value) = 0;
};

class CMemorySettings : public CSettings {
public:
    std::string GetString(const std::string& section, const std::string& key,
                          const std::string& defaultValue) const override;
    int GetInt(const std::string& section, const std::string& key, int defaultValue) const override;
    void SetString(const std::string& section, const std::string& key,
                   const std::string& value) override;
    void SetInt(const std::string& section, const std::string& key, int value) override;
    bool Has(const std::string& section, const std::string& key) const;

private:
    std::map<std::pair<std::string, std::string>, std::string> m_values;
};
