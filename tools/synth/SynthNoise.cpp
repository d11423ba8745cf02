#include "synth/SynthNoise.h"

#include <cmath>

namespace {

double LatticeValue(std::uint32_t seed, std::int64_t ix, std::int64_t iy) {
    std::uint64_t h = static_cast<std::uint64_t>(ix) * 0x9E3779B185EBCA87ull ^
                      static_cast<std::uint64_t>(iy) * 0xC2B2AE3D27D4EB4Full ^
                      (static_cast<std::uint64_t>(seed) << 32 | seed);
    h ^= h >> 29;
    h *= 0xBF58476D1CE4E5B9ull;
    h ^= h >> 32;
    return static_cast<double>(h >> 11) * 0x1.0p-52 - 1.0;
}

// Quintic fade: continuous slope and curvature across lattice cells.
double Fade(double t) {
    return t * t * t * (t * (t * 6.0 - 15.0) + 10.0);
}

double Lerp(double a, double b, double t) {
    return a + (b - a) * t;
}

}  // namespace

double ValueNoise(std::uint32_t seed, double x, double y) {
    const double fx = std::floor(x);
    const double fy = std::floor(y);
    const auto ix = static_cast<std::int64_t>(fx);
    const auto iy = static_cast<std::int64_t>(fy);
    const double tx = Fade(x - fx);
    const double ty = Fade(y - fy);
    const double top = Lerp(LatticeValue(seed, ix, iy), LatticeValue(seed, ix + 1, iy), tx);
    const double bottom =
        Lerp(LatticeValue(seed, ix, iy + 1), LatticeValue(seed, ix + 1, iy + 1), tx);
    return Lerp(top, bottom, ty);
}

double FractalNoise(std::uint32_t seed, double x, double y, int octaves) {
    double sum = 0.0;
    double norm = 0.0;
    double amplitude = 1.0;
    for (int o = 0; o < octaves; ++o) {
        // Each octave is shifted so lattice points do not line up.
        sum += amplitude *
               ValueNoise(seed + 7919u * static_cast<std::uint32_t>(o), x + 0.37 * o, y - 0.61 * o);
        norm += amplitude;
        amplitude *= 0.5;
        x *= 2.0;
        y *= 2.0;
    }
    return sum / norm;
}
