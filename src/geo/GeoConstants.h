#pragma once
// The truncated constants of the transforms. They are part of the contract:
// overlays drawn by every layer must land on the same pixels, so these values
// are used as they stand, never replaced by exact ones.

constexpr double kDegToRad = 0.0174533;
constexpr double kHalfDegToRad = 0.0087266;
constexpr double kCentiDegToRad = 0.000174533;
constexpr double kEarthRadiusKm = 6378.137;
constexpr double kRadToDeg = 57.29577957855229;

// Only the Lambert cone constant uses these finer values.
constexpr double kConeDegToRad = 0.0174532925;
constexpr double kConeHalfPi = 1.570796325;
