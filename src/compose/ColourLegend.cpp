#include "compose/ColourLegend.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "analysis/IsothermColours.h"
#include "analysis/IsothermLines.h"
#include "platform/Canvas.h"
#include "product/CGeoImage.h"
#include "product/GridElements.h"

namespace {

constexpr std::uint32_t kWhite = CanvasRgb(255, 255, 255);
constexpr std::uint32_t kBlack = CanvasRgb(0, 0, 0);
constexpr int kVisibleChannel = 5;
constexpr double kKelvinAtZeroCelsius = 273.15;
// Calibration entries outside these are fill values of the table (FY-2G's
// last entries read 18 K), not temperatures worth a label.
constexpr double kPlausibleLowKelvin = 150.0;
constexpr double kPlausibleHighKelvin = 350.0;
constexpr double kFullAlbedo = 100.0;
// A forecaster reads the bar in steps of 10 °C (or 10 %).
constexpr double kRoundStep = 10.0;

// A step of more than this in any channel between neighbouring entries is a
// break; the interpolated stretches of the palette files step by a few
// levels at most.
constexpr int kBreakJump = 24;
// Inside a smooth stretch a label every this many entries, none closer to a
// break than a third of that.
constexpr int kStepSpacing = 32;
constexpr int kStepClearance = kStepSpacing / 3;

// Layout in picture pixels.
constexpr int kMargin = 8;
constexpr int kBarTop = 6;
constexpr int kBarHeight = 14;
constexpr int kTickLength = 4;
constexpr int kLabelGap = 1;
constexpr int kMinLabelSpacing = 4;
constexpr int kWidestBar = 512;
constexpr int kNarrowestBar = 64;
constexpr int kUnitGap = 6;
constexpr int kRowGap = 4;
constexpr int kSwatchLength = 14;
constexpr int kSwatchGap = 3;
constexpr int kLevelGap = 9;
constexpr int kFontHeight = 12;

int ChannelOf(std::uint32_t colour, int shift) {
    return static_cast<int>((colour >> shift) & 0xFF);
}

bool IsJump(std::uint32_t a, std::uint32_t b) {
    for (int shift : {0, 8, 16}) {
        if (std::abs(ChannelOf(a, shift) - ChannelOf(b, shift)) > kBreakJump) {
            return true;
        }
    }
    return false;
}

CanvasFont LegendFont() {
    CanvasFont font;
    font.height = kFontHeight;
    font.weight = 400;
    font.escapement = 0;
    font.face = "Arial";
    return font;
}

// Labels placed so far, as [left, right) spans; a new one must keep its
// distance from all of them.
class CLabelSpans {
public:
    bool Fits(int left, int right) const {
        for (const auto& [l, r] : m_spans) {
            if (left < r + kMinLabelSpacing && right + kMinLabelSpacing > l) {
                return false;
            }
        }
        return true;
    }
    void Add(int left, int right) { m_spans.emplace_back(left, right); }

private:
    std::vector<std::pair<int, int>> m_spans;
};

struct BarGeometry {
    int left = 0;
    int top = 0;
    int width = 0;
    int entries = 0;
    int XOf(int boundary) const { return left + boundary * width / entries; }
};

void DrawBar(CCanvas& canvas, const std::vector<std::uint32_t>& palette, const BarGeometry& bar) {
    for (int i = 0; i < bar.entries; ++i) {
        const int x0 = bar.XOf(i);
        const int x1 = bar.XOf(i + 1);
        if (x1 > x0) {
            canvas.FillRect(x0, bar.top, x1, bar.top + kBarHeight, palette[i]);
        }
    }
    const int right = bar.left + bar.width;
    const int bottom = bar.top + kBarHeight;
    canvas.FillRect(bar.left - 1, bar.top - 1, right + 1, bar.top, kBlack);
    canvas.FillRect(bar.left - 1, bottom, right + 1, bottom + 1, kBlack);
    canvas.FillRect(bar.left - 1, bar.top, bar.left, bottom, kBlack);
    canvas.FillRect(right, bar.top, right + 1, bottom, kBlack);
}

// One labelled tick under the bar at x, when its label has room.
void DrawLabel(CCanvas& canvas, const BarGeometry& bar, int x, const std::string& label,
               CLabelSpans& spans) {
    const CanvasSize size = canvas.TextExtent(label);
    const int labelLeft = x - size.cx / 2;
    if (!spans.Fits(labelLeft, labelLeft + size.cx)) {
        return;
    }
    spans.Add(labelLeft, labelLeft + size.cx);
    const int tickTop = bar.top + kBarHeight + 1;
    canvas.FillRect(x, tickTop, x + 1, tickTop + kTickLength, kBlack);
    canvas.TextOut(labelLeft, tickTop + kTickLength + kLabelGap, label);
}

// The tick of a palette boundary, labelled with the value of the entry after it.
void DrawTick(CCanvas& canvas, const BarGeometry& bar, const LegendScale& scale, int boundary,
              CLabelSpans& spans) {
    const int entry = std::min(boundary, bar.entries - 1);
    if (!scale.Plausible(entry)) {
        return;
    }
    const int x = std::min(bar.XOf(boundary), bar.left + bar.width - 1);
    DrawLabel(canvas, bar, x, scale.Label(entry), spans);
}

// Labels at the palette's ends, breaks and steps, for scales without round marks.
void DrawBreakTicks(CCanvas& canvas, const std::vector<std::uint32_t>& palette,
                    const BarGeometry& bar, const LegendScale& scale, CLabelSpans& spans) {
    const LegendTicks ticks = FindLegendTicks(palette);
    // Both ends first, then the breaks between them, then the steps: a
    // label only gives way to those before it.
    DrawTick(canvas, bar, scale, ticks.breaks.front(), spans);
    DrawTick(canvas, bar, scale, ticks.breaks.back(), spans);
    for (std::size_t k = 1; k + 1 < ticks.breaks.size(); ++k) {
        DrawTick(canvas, bar, scale, ticks.breaks[k], spans);
    }
    for (int boundary : ticks.steps) {
        DrawTick(canvas, bar, scale, boundary, spans);
    }
}

// Round marks at the middle of their entries; every other mark (-40, -20,
// 0 …) first, so a crowded bar keeps an even pattern.
void DrawRoundMarks(CCanvas& canvas, const BarGeometry& bar, const std::vector<LegendMark>& marks,
                    CLabelSpans& spans) {
    for (const bool major : {true, false}) {
        for (const LegendMark& mark : marks) {
            if (mark.major == major && mark.entry < bar.entries) {
                const int x = (bar.XOf(mark.entry) + bar.XOf(mark.entry + 1)) / 2;
                DrawLabel(canvas, bar, x, mark.text, spans);
            }
        }
    }
}

// The isotherm levels, lowest first, each a short line in its colour and
// its value in kelvin; returns the right end of the row. Only measures
// unless draw is set, so the strip can be sized before anything is drawn.
int IsothermRow(CCanvas& canvas, int left, int top, bool draw) {
    const std::string title = "等温线(K)";
    if (draw) {
        canvas.TextOut(left, top, title);
    }
    int x = left + canvas.TextExtent(title).cx + kLevelGap;
    const int middle = top + kFontHeight / 2;
    for (int n = 0; n <= kIsothermLevelSteps; ++n) {
        const std::string label =
            std::to_string(static_cast<int>(kIsothermFirstLevel + kIsothermLevelStep * n));
        if (draw) {
            canvas.FillRect(x, middle - 1, x + kSwatchLength, middle + 1,
                            kIsothermColours[kIsothermLevelSteps - n]);
            canvas.TextOut(x + kSwatchLength + kSwatchGap, top, label);
        }
        x += kSwatchLength + kSwatchGap + canvas.TextExtent(label).cx + kLevelGap;
    }
    return x - kLevelGap;
}

}  // namespace

LegendTicks FindLegendTicks(const std::vector<std::uint32_t>& palette) {
    LegendTicks ticks;
    const int n = static_cast<int>(palette.size());
    if (n == 0) {
        return ticks;
    }
    ticks.breaks.push_back(0);
    for (int i = 1; i < n; ++i) {
        if (IsJump(palette[i - 1], palette[i])) {
            ticks.breaks.push_back(i);
        }
    }
    ticks.breaks.push_back(n);
    for (int b = kStepSpacing; b < n; b += kStepSpacing) {
        const bool clear = std::none_of(ticks.breaks.begin(), ticks.breaks.end(),
                                        [b](int k) { return std::abs(k - b) < kStepClearance; });
        if (clear) {
            ticks.steps.push_back(b);
        }
    }
    return ticks;
}

std::string LegendScale::Label(int count) const {
    if (kind == Kind::kCounts || count < 0 || count >= static_cast<int>(values.size())) {
        return std::to_string(count);
    }
    const double value = values[static_cast<std::size_t>(count)];
    const double shown = kind == Kind::kCelsius ? value - kKelvinAtZeroCelsius : value;
    char text[32];
    std::snprintf(text, sizeof text, "%.0f", shown);
    // "-0" would read as a different value from "0".
    return std::string(text) == "-0" ? std::string("0") : std::string(text);
}

bool LegendScale::Plausible(int count) const {
    if (count < 0 || count >= static_cast<int>(values.size())) {
        return kind == Kind::kCounts;
    }
    const double value = values[static_cast<std::size_t>(count)];
    switch (kind) {
        case Kind::kCelsius:
            return value >= kPlausibleLowKelvin && value <= kPlausibleHighKelvin;
        case Kind::kPercent:
            return value >= 0.0 && value <= kFullAlbedo;
        default:
            return true;
    }
}

std::string LegendScale::Unit() const {
    switch (kind) {
        case Kind::kCelsius:
            return "°C";
        case Kind::kPercent:
            return "%";
        case Kind::kValue:
            return unit;
        default:
            return "计数";
    }
}

LegendScale LegendScaleOf(const CGeoImage& product) {
    LegendScale scale;
    if (product.productLoaded == 0) {
        return scale;
    }
    const auto& table = product.CalibrationTable();
    // A product without a calibration block has all values 0: its counts
    // are all there is to show.
    if (std::all_of(table.begin(), table.end(), [](float v) { return v == 0.0f; })) {
        return scale;
    }
    scale.values.assign(table.begin(), table.end());
    const ProductDescription& d = product.Description();
    if (d.IsGrid()) {
        // A grid's temperatures read in Celsius like an image's; any other
        // element in its own unit.
        const GridElement element = GridElementOf(d.grid.element);
        scale.kind = element.temperature ? LegendScale::Kind::kCelsius : LegendScale::Kind::kValue;
        scale.unit = element.unit;
        return scale;
    }
    scale.kind =
        d.channel == kVisibleChannel ? LegendScale::Kind::kPercent : LegendScale::Kind::kCelsius;
    return scale;
}

std::vector<LegendMark> RoundLegendMarks(const LegendScale& scale, int entries) {
    std::vector<LegendMark> marks;
    if (scale.kind != LegendScale::Kind::kCelsius && scale.kind != LegendScale::Kind::kPercent) {
        return marks;
    }
    const double offset = scale.kind == LegendScale::Kind::kCelsius ? kKelvinAtZeroCelsius : 0.0;
    const int n = std::min(entries, static_cast<int>(scale.values.size()));
    const auto shown = [&](int c) { return scale.values[static_cast<std::size_t>(c)] - offset; };
    std::vector<int> taken;
    for (int c = 0; c < n; ++c) {
        if (!scale.Plausible(c)) {
            continue;
        }
        const double a = shown(c);
        const double b = c + 1 < n && scale.Plausible(c + 1) ? shown(c + 1) : a;
        // Each round value once, at the entry nearer to it where the
        // table passes it.
        const int first = static_cast<int>(std::ceil(std::min(a, b) / kRoundStep));
        const int last = static_cast<int>(std::floor(std::max(a, b) / kRoundStep));
        for (int k = first; k <= last; ++k) {
            const double round = k * kRoundStep;
            const int entry = std::abs(round - a) <= std::abs(round - b) ? c : c + 1;
            // Across a jump of the table no entry stands for the value.
            if (std::abs(round - shown(entry)) > kRoundStep / 2 ||
                std::find(taken.begin(), taken.end(), k) != taken.end()) {
                continue;
            }
            taken.push_back(k);
            marks.push_back({entry, std::to_string(k * static_cast<int>(kRoundStep)), k % 2 == 0});
        }
    }
    return marks;
}

void DrawColourLegend(CCanvas& canvas, const std::vector<std::uint32_t>& palette,
                      const LegendScale& scale, bool withIsotherms, int bottom) {
    if (palette.empty()) {
        return;
    }
    CCanvasStateGuard guard(canvas);
    canvas.SelectFont(LegendFont());
    canvas.SetTextColor(kBlack);
    canvas.SetBkMode(kBackgroundTransparent);

    const std::string unit = scale.Unit();
    const int unitWidth = canvas.TextExtent(unit).cx;
    BarGeometry bar;
    bar.left = kMargin;
    bar.entries = static_cast<int>(palette.size());
    bar.width =
        std::clamp(canvas.Width() - 2 * kMargin - kUnitGap - unitWidth, kNarrowestBar, kWidestBar);
    const int barRowHeight = kBarTop + kBarHeight + 1 + kTickLength + kLabelGap + kFontHeight + 3;
    const int rowHeight = withIsotherms ? kFontHeight + kRowGap : 0;
    const int top = bottom - barRowHeight - rowHeight;
    bar.top = top + kBarTop;

    // The strip is as wide as what it holds.
    int right = bar.left + bar.width + kUnitGap + unitWidth + kMargin;
    if (withIsotherms) {
        right = std::max(right, IsothermRow(canvas, kMargin, 0, false) + kMargin);
    }
    canvas.FillRect(0, top, right, bottom, kWhite);

    DrawBar(canvas, palette, bar);
    canvas.TextOut(bar.left + bar.width + kUnitGap, bar.top, unit);
    CLabelSpans spans;
    const std::vector<LegendMark> marks = RoundLegendMarks(scale, bar.entries);
    if (marks.empty()) {
        DrawBreakTicks(canvas, palette, bar, scale, spans);
    } else {
        DrawRoundMarks(canvas, bar, marks, spans);
    }
    if (withIsotherms) {
        IsothermRow(canvas, kMargin, top + barRowHeight, true);
    }
}
