#pragma once
// Isotherms of a calibrated image: the lines of the eleven levels 180..300 K,
// traced on a grid that takes one sample per 4 x 4 pixels, smoothed once, in
// image pixel coordinates (y down from the top row). Drawing them is left to
// the caller.

#include <cstdint>
#include <vector>

#include "analysis/CContourTracer.h"
#include "product/CalibratedGrid.h"

struct IsothermLevel {
    float level = 0.0f;
    // Entry of the isotherm colour table the level is drawn with.
    int colourIndex = 0;
    // Signed point count of every line, negative for a closed one.
    std::vector<int> counts;
    // The points of all lines, one line after another, in image pixels.
    std::vector<float> x;
    std::vector<float> y;
};

inline constexpr float kIsothermFirstLevel = 180.0f;
inline constexpr float kIsothermLastLevel = 300.0f;
inline constexpr float kIsothermLevelStep = 12.0f;
inline constexpr int kIsothermLevelSteps = 10;
inline constexpr float kIsothermMissing = 999.0f;
inline constexpr float kIsothermMaxValid = 360.0f;
inline constexpr float kIsothermMinValid = 180.0f;
inline constexpr int kIsothermSampleStep = 4;

// Traces the isotherms of a width x height image of calibrated values (row
// major, top row first) with the quiet tracer given, whose buffers are
// released before returning. Fills one entry per level (lowest first) and
// returns true; false, with `levels` empty, when the image is smaller than
// one sample or memory is not available.
bool IsothermLines(CContourTracer& tracer, std::uint16_t width, std::uint16_t height,
                   const float* data, std::vector<IsothermLevel>& levels);

// The same for a product's counts and calibration table: only the sampled
// pixels are looked up.
bool IsothermLines(CContourTracer& tracer, const CalibratedGrid& values,
                   std::vector<IsothermLevel>& levels);
