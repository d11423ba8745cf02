#include "convection/ConvectionSettings.h"

#include <cstdio>
#include <cstdlib>

#include "platform/Settings.h"

namespace {

// Brightness temperatures a cloud top can have.
constexpr float kColdestTopK = 150.0f;
constexpr float kWarmestTopK = 320.0f;

bool ParseNumber(const std::string& text, double& value) {
    if (text.empty()) {
        return false;
    }
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return end != nullptr && *end == '\0';
}

std::string NumberText(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

}  // namespace

ConvectionSettings LoadConvectionSettings(const CSettings& profile) {
    ConvectionSettings settings;
    double value = 0.0;
    if (ParseNumber(profile.GetString(kConvectionSection, kConvectionThresholdKey, ""), value)) {
        settings.thresholdK = static_cast<float>(value);
    }
    if (ParseNumber(profile.GetString(kConvectionSection, kConvectionShieldKey, ""), value)) {
        settings.shieldThresholdK = static_cast<float>(value);
    }
    if (ParseNumber(profile.GetString(kConvectionSection, kConvectionMinAreaKey, ""), value)) {
        settings.minAreaKm2 = value;
    }
    if (!ConvectionSettingsProblem(settings).empty()) {
        return ConvectionSettings{};
    }
    return settings;
}

void SaveConvectionSettings(CSettings& profile, const ConvectionSettings& settings) {
    profile.SetString(kConvectionSection, kConvectionThresholdKey, NumberText(settings.thresholdK));
    profile.SetString(kConvectionSection, kConvectionShieldKey,
                      NumberText(settings.shieldThresholdK));
    profile.SetString(kConvectionSection, kConvectionMinAreaKey, NumberText(settings.minAreaKm2));
}

std::string ConvectionSettingsProblem(const ConvectionSettings& settings) {
    if (!(settings.thresholdK >= kColdestTopK && settings.thresholdK <= kWarmestTopK)) {
        return "云团阈值应在150K和320K之间";
    }
    if (!(settings.shieldThresholdK >= settings.thresholdK &&
          settings.shieldThresholdK <= kWarmestTopK)) {
        return "云盾阈值应不低于云团阈值且不高于320K";
    }
    if (!(settings.minAreaKm2 >= 0.0 && settings.minAreaKm2 <= 1.0e7)) {
        return "最小面积应在0和10000000平方公里之间";
    }
    return "";
}
