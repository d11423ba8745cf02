#pragma once
// Statistics of the calibrated values inside a box of pixels, as the
// forecaster's area tool and `kelvra-cli stats` give them: how many pixels
// hold a value, their area on the sphere, the coldest, mean and warmest
// value, and the area colder than each of two thresholds.

#include <array>
#include <cstdint>

#include "convection/PixelAreas.h"
#include "convection/PixelBox.h"
#include "product/CalibratedGrid.h"

// Kelvin at 0 °C, for thresholds a forecaster gives in degrees Celsius.
inline constexpr double kKelvinAtZeroCelsius = 273.15;
// The cold thresholds a forecaster watches first: the cold-cloud shield and
// deep convection, °C.
inline constexpr std::array<double, 2> kDefaultColdThresholdsC = {-32.0, -52.0};

struct AreaStatistics {
    std::int64_t pixels = 0;  // pixels of the box holding a finite value
    bool hasArea = false;     // false on an image without geolocation
    double areaKm2 = 0.0;
    float minValue = 0.0f;
    double meanValue = 0.0;
    float maxValue = 0.0f;
    // Per threshold: the pixels below it and their area (km², with hasArea).
    std::array<std::int64_t, 2> coldPixels{};
    std::array<double, 2> coldAreaKm2{};
};

// The statistics of the pixels of box (already clipped to the grid); areas
// may be empty (no geolocation), and then only hasArea is false. Thresholds
// are in the grid's own unit (kelvin for infrared).
AreaStatistics ComputeAreaStatistics(const CalibratedGrid& grid, const CPixelAreas& areas,
                                     const PixelBox& box, const std::array<float, 2>& coldBelow);
