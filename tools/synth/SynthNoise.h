#pragma once
// Smooth, seeded value noise for the synthetic weather: the same on every
// platform, continuous in both coordinates, so textures move smoothly when
// the coordinates drift with time.

#include <cstdint>

// Value noise on the unit lattice, in [-1, 1].
double ValueNoise(std::uint32_t seed, double x, double y);

// Fractal sum of octaves of value noise (each octave twice the frequency and
// half the amplitude of the previous one), normalised to [-1, 1].
double FractalNoise(std::uint32_t seed, double x, double y, int octaves);
