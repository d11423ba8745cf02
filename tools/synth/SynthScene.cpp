#include "synth/SynthScene.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "synth/SynthCalibration.h"
#include "synth/SynthNoise.h"

namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;
constexpr int kSystemCount = 9;
// Systems beyond this many semi-axes add nothing.
constexpr double kCloudReach2 = 9.0;
// Margin around the image inside which systems drift and wrap, degrees.
constexpr double kMarginDeg = 10.0;
constexpr double kDegToRadExact = std::numbers::pi / 180.0;
// Mean eastward flow that carries textures and small cells, degrees per hour.
constexpr double kFlowDegPerHour = 0.35;
// Feature sizes of the noise fields, degrees.
constexpr double kLandScale = 9.0;
constexpr double kMoistureScale = 14.0;
constexpr double kTextureScale = 1.2;
constexpr double kCellScale = 2.5;

// A small deterministic generator (splitmix64), the same on every platform.
class CSplitMix {
public:
    explicit CSplitMix(std::uint64_t seed) : m_state(seed) {}
    // Uniform in [lo, hi).
    double Uniform(double lo, double hi) {
        m_state += 0x9E3779B97F4A7C15ull;
        std::uint64_t z = m_state;
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        z ^= z >> 31;
        return lo + (hi - lo) * static_cast<double>(z >> 11) * 0x1.0p-53;
    }

private:
    std::uint64_t m_state;
};

// pos wrapped into [lo, lo + span).
double Wrap(double pos, double lo, double span) {
    double t = std::fmod(pos - lo, span);
    return lo + (t < 0.0 ? t + span : t);
}

double SmoothStep(double e0, double e1, double x) {
    const double t = std::clamp((x - e0) / (e1 - e0), 0.0, 1.0);
    return t * t * (3.0 - 2.0 * t);
}

}  // namespace

CSynthScene::CSynthScene(std::uint32_t seed, const SynthGrid& grid, double timeHours)
    : m_seed(seed), m_grid(grid), m_timeHours(timeHours) {
    CSplitMix rng(0x6B656C7672610000ull ^ seed);
    const double halfW = 0.5 * grid.width * grid.degPerPixel;
    const double halfH = 0.5 * grid.height * grid.degPerPixel;
    const double extent = std::max(halfW, halfH);
    const double west = grid.centerLon - halfW - kMarginDeg;
    const double south = grid.centerLat - halfH - kMarginDeg;
    const double spanLon = 2.0 * (halfW + kMarginDeg);
    const double spanLat = 2.0 * (halfH + kMarginDeg);
    for (int i = 0; i < kSystemCount; ++i) {
        CloudSystem s;
        // Mostly eastward drift of a few tenths of a degree per hour.
        const double driftLon = rng.Uniform(0.15, 0.6);
        const double driftLat = rng.Uniform(-0.15, 0.15);
        s.lon = Wrap(rng.Uniform(0.0, spanLon) + driftLon * timeHours, west, spanLon);
        s.lat = Wrap(rng.Uniform(0.0, spanLat) + driftLat * timeHours, south, spanLat);
        const double size = std::clamp(extent * rng.Uniform(0.12, 0.35), 0.6, 9.0);
        s.a = size;
        s.b = size * rng.Uniform(0.45, 0.9);
        s.angle = rng.Uniform(0.0, kTwoPi) + rng.Uniform(-0.02, 0.02) * timeHours;
        s.armPhase = rng.Uniform(0.0, kTwoPi) + rng.Uniform(0.1, 0.3) * timeHours;
        s.armStrength = rng.Uniform(0.2, 0.8);
        s.topK = rng.Uniform(200.0, 230.0);
        const double period = rng.Uniform(12.0, 36.0);
        s.strength = 0.75 + 0.25 * std::sin(kTwoPi * timeHours / period + rng.Uniform(0, kTwoPi));
        m_systems.push_back(s);
    }
}

double CSynthScene::CloudDensity(const CloudSystem& s, double lon, double lat) const {
    const double dx = (lon - s.lon) * std::cos(lat * kDegToRadExact);
    const double dy = lat - s.lat;
    const double c = std::cos(s.angle);
    const double sn = std::sin(s.angle);
    const double u = (dx * c + dy * sn) / s.a;
    const double w = (-dx * sn + dy * c) / s.b;
    const double r2 = u * u + w * w;
    if (r2 > kCloudReach2) {
        return 0.0;
    }
    const double r = std::sqrt(r2);
    // Two logarithmic spiral bands around a dense core.
    const double theta = std::atan2(w, u);
    const double band = 0.5 + 0.5 * std::cos(2.0 * theta - 4.0 * std::log(r + 0.15) - s.armPhase);
    const double body = std::exp(-r2) * (1.0 - s.armStrength + s.armStrength * band);
    const double core = std::exp(-4.0 * r2) * s.armStrength;
    return std::clamp(1.4 * s.strength * (body + core), 0.0, 1.0);
}

SynthSample CSynthScene::Sample(double lon, double lat) const {
    SynthSample out;
    out.land = SmoothStep(-0.05, 0.1, FractalNoise(m_seed, lon / kLandScale, lat / kLandScale, 5));
    // Local solar time warms the land in the afternoon.
    const double solarHour = m_timeHours + lon / 15.0;
    const double diurnal = std::cos(kTwoPi * (solarHour - 14.0) / 24.0);
    const double zonal = 300.0 - 20.0 * std::clamp((std::fabs(lat) - 15.0) / 40.0, 0.0, 1.0);
    out.surfaceK = zonal + out.land * (4.0 * diurnal - 1.0);
    const double drifted = lon - kFlowDegPerHour * m_timeHours;
    out.moisture = FractalNoise(m_seed + 1u, drifted / kMoistureScale, lat / kMoistureScale, 3);

    // Texture and small convective cells travel with the mean flow and
    // change slowly as the second coordinate drifts too.
    const double texture = FractalNoise(m_seed + 2u, drifted / kTextureScale,
                                        lat / kTextureScale + 0.02 * m_timeHours, 4);
    const double cells =
        FractalNoise(m_seed + 3u, drifted / kCellScale, lat / kCellScale - 0.03 * m_timeHours, 3);
    const double cellCover = std::clamp(2.2 * (cells - 0.3), 0.0, 0.7);
    double clear = 1.0 - cellCover;
    double topSum = cellCover * (245.0 + 10.0 * texture);
    double weight = cellCover;
    for (const CloudSystem& s : m_systems) {
        double c = CloudDensity(s, lon, lat);
        if (c <= 0.0) {
            continue;
        }
        c = std::clamp(c * (1.0 + 0.35 * texture), 0.0, 1.0);
        clear *= 1.0 - c;
        // Thin edges are warmer than the dense centre.
        topSum += c * (s.topK + 25.0 * (1.0 - c) + 5.0 * texture);
        weight += c;
    }
    out.cover = 1.0 - clear;
    out.topK = weight > 0.0 ? topSum / weight : out.topK;
    return out;
}

namespace {

double InfraredK(const SynthSample& s) {
    return s.surfaceK * (1.0 - s.cover) + s.topK * s.cover;
}

// Brightness temperature, or for the visible channel the count itself.
double ChannelValue(int channel, const SynthSample& s, double lat) {
    const double ir1 = InfraredK(s);
    switch (channel) {
        case 2:  // split window: colder over clear sky, warmer at thin edges
            return ir1 - 2.0 * (1.0 - s.cover) + 12.0 * s.cover * (1.0 - s.cover);
        case 3: {  // water vapour: the upper troposphere, smooth and cold
            const double clearWv = 248.0 + 8.0 * s.moisture -
                                   6.0 * std::clamp((std::fabs(lat) - 20.0) / 40.0, 0.0, 1.0);
            return std::clamp(clearWv * (1.0 - s.cover) + (s.topK + 3.0) * s.cover, 195.0, 262.0);
        }
        case 4:  // 3.7 µm: close to IR1, a little warmer over the surface
            return ir1 + 2.5 * (1.0 - s.cover);
        case kVisibleChannel: {
            const double ground = 22.0 + 40.0 * s.land;
            return ground * (1.0 - s.cover) + (170.0 + 70.0 * s.cover) * s.cover;
        }
        default:
            return ir1;
    }
}

}  // namespace

std::vector<std::uint8_t> CSynthScene::RenderCounts(int channel) const {
    const std::size_t w = static_cast<std::size_t>(std::max(m_grid.width, 0));
    const std::size_t h = static_cast<std::size_t>(std::max(m_grid.height, 0));
    std::vector<std::uint8_t> counts(w * h);
    const double cx = 0.5 * (static_cast<double>(w) - 1.0);
    const double cy = 0.5 * (static_cast<double>(h) - 1.0);
    for (std::size_t j = 0; j < h; ++j) {
        const double lat = m_grid.centerLat - (static_cast<double>(j) - cy) * m_grid.degPerPixel;
        for (std::size_t i = 0; i < w; ++i) {
            const double lon =
                m_grid.centerLon + (static_cast<double>(i) - cx) * m_grid.degPerPixel;
            const double value = ChannelValue(channel, Sample(lon, lat), lat);
            counts[j * w + i] =
                channel == kVisibleChannel
                    ? static_cast<std::uint8_t>(std::lround(std::clamp(value, 0.0, 255.0)))
                    : SynthCountForTemperature(value);
        }
    }
    return counts;
}
