#pragma once
// The colour legend: a white strip at the bottom of the picture with the
// display palette as a bar, labelled with round values where the product's
// calibration passes them, or at the palette's breaks with the values the
// calibration gives those counts (°C for the infrared and
// water-vapour channels and a grid product's temperatures, % for the
// visible one, a grid's other elements in their unit, the counts themselves
// when the product has no calibration), and, while the isotherms are drawn, a row
// with the colour and value of every isotherm level.

#include <cstdint>
#include <string>
#include <vector>

class CCanvas;
class CGeoImage;

// The bar's boundaries worth a label (0 … palette size; boundary b lies
// before entry b): both ends and every place where the colour jumps, in
// ascending order, and regular steps inside long smooth stretches, which
// give way to the breaks when labels crowd.
struct LegendTicks {
    std::vector<int> breaks;
    std::vector<int> steps;
};
LegendTicks FindLegendTicks(const std::vector<std::uint32_t>& palette);

// How the labels read their values.
struct LegendScale {
    // kValue: a grid product's value in its element's own unit.
    enum class Kind { kCounts, kCelsius, kPercent, kValue };
    Kind kind = Kind::kCounts;
    std::vector<float> values;  // calibrated value per count; empty for counts
    std::string unit;           // kValue's unit (UTF-8), empty for none

    // The label of palette entry count: "-52", "45", or the count.
    std::string Label(int count) const;
    // Whether entry count holds a value worth a label: a temperature within
    // 150–350 K, an albedo within 0–100 %; any count or other value.
    bool Plausible(int count) const;
    // "°C", "%", the value's unit or "计数".
    std::string Unit() const;
};
// A round label of a temperature or visible bar: the palette entry whose
// value is nearest to it, its text ("-40"), and whether it is one of every
// other step, which goes first when labels crowd.
struct LegendMark {
    int entry = 0;
    std::string text;
    bool major = false;
};
// The round values (every 10 °C or 10 %) that the calibration of entries
// inside a plausible range (150–350 K, 0–100 %) passes, each once; empty for
// counts and a grid's other elements, which are labelled at the palette's
// breaks.
std::vector<LegendMark> RoundLegendMarks(const LegendScale& scale, int entries);

// The scale of a product: counts without a loaded product or a calibration.
LegendScale LegendScaleOf(const CGeoImage& product);

// Draws the legend with its bottom edge at row bottom of the canvas; nothing
// without a palette.
void DrawColourLegend(CCanvas& canvas, const std::vector<std::uint32_t>& palette,
                      const LegendScale& scale, bool withIsotherms, int bottom);
