#include "app/CQtSettings.h"

CQtSettings::CQtSettings()
    : m_settings(QSettings::NativeFormat, QSettings::UserScope,
                 QStringLiteral("Local AppWizard-Generated Applications"),
                 QStringLiteral("kelvra")) {}

CQtSettings::CQtSettings(const QString& iniFile) : m_settings(iniFile, QSettings::IniFormat) {}

QString CQtSettings::KeyPath(const std::string& section, const std::string& key) {
    return QString::fromStdString(section) + QLatin1Char('/') + QString::fromStdString(key);
}

std::string CQtSettings::GetString(const std::string& section, const std::string& key,
                                   const std::string& defaultValue) const {
    const QVariant value = m_settings.value(KeyPath(section, key));
    return value.isValid() ? value.toString().toStdString() : defaultValue;
}

int CQtSettings::GetInt(const std::string& section, const std::string& key,
                        int defaultValue) const {
    bool ok = false;
    const int value = m_settings.value(KeyPath(section, key)).toInt(&ok);
    return ok ? value : defaultValue;
}

void CQtSettings::SetString(const std::string& section, const std::string& key,
                            const std::string& value) {
    m_settings.setValue(KeyPath(section, key), QString::fromStdString(value));
}

void CQtSettings::SetInt(const std::string& section, const std::string& key, int value) {
    m_settings.setValue(KeyPath(section, key), value);
}
