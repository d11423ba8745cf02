#pragma once
// What makes a cold-cloud cell: the cell's threshold, the cloud shield's and
// the smallest area kept, with the profile section and keys they are stored
// under.

#include <string>

class CSettings;

inline constexpr float kDefaultCellThresholdK = 221.0f;
inline constexpr float kDefaultShieldThresholdK = 241.0f;
inline constexpr double kDefaultMinCellAreaKm2 = 2000.0;

struct ConvectionSettings {
    float thresholdK = kDefaultCellThresholdK;
    float shieldThresholdK = kDefaultShieldThresholdK;
    double minAreaKm2 = kDefaultMinCellAreaKm2;
    bool operator==(const ConvectionSettings&) const = default;
};

inline constexpr const char* kConvectionSection = "Convection";
inline constexpr const char* kConvectionThresholdKey = "Threshold";
inline constexpr const char* kConvectionShieldKey = "ShieldThreshold";
inline constexpr const char* kConvectionMinAreaKey = "MinArea";

// The settings of the profile; values that are missing or not numbers, or
// outside ValidConvectionSettings, fall back to the defaults.
ConvectionSettings LoadConvectionSettings(const CSettings& profile);
void SaveConvectionSettings(CSettings& profile, const ConvectionSettings& settings);
// The reason (Chinese) settings cannot be used, or "" when they can.
std::string ConvectionSettingsProblem(const ConvectionSettings& settings);
