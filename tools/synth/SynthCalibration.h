#pragma once
// The calibration of the synthetic products. The infrared and water-vapour
// channels follow the FY-2 convention that a high count is cold:
//     T(v) = 330 − 160 · (v / 255)^1.6  kelvin,
// so v = 0 is 330 K and v = 255 is 170 K, with fine steps at the warm end and
// coarse ones among the cold cloud tops, as the real tables have. The visible
// channel's table gives the albedo in percent, 100 · v / 255, laid out as
// real visible products are: 64 entries, entry k for counts 4k..4k+3.

#include <array>
#include <cstdint>

constexpr double kSynthWarmestK = 330.0;
constexpr double kSynthSpanK = 160.0;
constexpr double kSynthExponent = 1.6;
constexpr int kVisibleChannel = 5;
constexpr int kVisibleAlbedoEntries = 64;

// Calibrated value of count v (may be fractional) for a channel code.
double SynthCalibratedValue(int channel, double v);
// The nearest count for a brightness temperature (infrared, water vapour).
std::uint8_t SynthCountForTemperature(double kelvin);
// The 1024 16-bit entries in 0.01 units; entry 4·v is the value of count v
// and the entries in between are interpolated, as in the products' tables.
// Visible: only the first 64 entries, the rest zero.
std::array<std::uint16_t, 1024> SynthCalibrationEntries(int channel);
