#include "synth/SynthCalibration.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kMaxCount = 255.0;
constexpr double kAlbedoPercent = 100.0;

}  // namespace

double SynthCalibratedValue(int channel, double v) {
    if (channel == kVisibleChannel) {
        return kAlbedoPercent * v / kMaxCount;
    }
    return kSynthWarmestK - kSynthSpanK * std::pow(v / kMaxCount, kSynthExponent);
}

std::uint8_t SynthCountForTemperature(double kelvin) {
    const double fraction = std::clamp((kSynthWarmestK - kelvin) / kSynthSpanK, 0.0, 1.0);
    const double v = kMaxCount * std::pow(fraction, 1.0 / kSynthExponent);
    return static_cast<std::uint8_t>(std::lround(std::clamp(v, 0.0, kMaxCount)));
}

std::array<std::uint16_t, 1024> SynthCalibrationEntries(int channel) {
    std::array<std::uint16_t, 1024> entries{};
    if (channel == kVisibleChannel) {
        // As real visible products: 64 albedo entries, one per step of 4 counts.
        for (int k = 0; k < kVisibleAlbedoEntries; ++k) {
            entries[k] = static_cast<std::uint16_t>(
                std::lround(SynthCalibratedValue(channel, 4.0 * k) * 100.0));
        }
        return entries;
    }
    for (int k = 0; k < 1024; ++k) {
        const double value = SynthCalibratedValue(channel, k / 4.0);
        entries[k] = static_cast<std::uint16_t>(std::lround(value * 100.0));
    }
    return entries;
}
