// CNwpContourPainter: labels of the contour lines, kept inside the picture
// and clear of each other and of the title.

#include <algorithm>
#include <cmath>
#include <string>

#include "geo/GeoConstants.h"
#include "nwp/CNwpContourPainter.h"

namespace {

constexpr int kLabelWeight = 400;
// The face the labels are written in; the platform finds the metric-compatible one.
constexpr char kLabelFace[] = "Arial";
// A label to the right of its point keeps this gap, in text heights.
constexpr double kRightGap = 0.4;
// Vertical placement is measured in this share of the text height.
constexpr double kVerticalShare = 0.75;
// A label moved along its line sits centred on its new point.
constexpr NwpLabelFactors kAlongLine{-0.5, 0.5};

struct LabelOffset {
    int ox = 0;
    int oy = 0;
};

LabelOffset OffsetOf(double fx, double fy, int textWidth, int textHeight) {
    LabelOffset o;
    o.ox = fx >= 0.0 ? static_cast<int>(kRightGap * textHeight) : static_cast<int>(fx * textWidth);
    o.oy = static_cast<int>((fy - 1.0) * kVerticalShare * textHeight);
    return o;
}

// The box of text whose top-left corner is at (x, y), turned counter-clockwise
// by escapement tenths of a degree about that corner.
CanvasBox TextBox(int x, int y, const CanvasSize& size, int escapement) {
    const double phi = escapement / 10.0 * kDegToRad;
    const double c = std::cos(phi);
    const double s = std::sin(phi);
    const double xs[] = {0.0, size.cx * c, size.cy * s, size.cx * c + size.cy * s};
    const double ys[] = {0.0, -size.cx * s, size.cy * c, -size.cx * s + size.cy * c};
    const auto [left, right] = std::minmax_element(std::begin(xs), std::end(xs));
    const auto [top, bottom] = std::minmax_element(std::begin(ys), std::end(ys));
    return CanvasBox{
        x + static_cast<int>(std::floor(*left)), y + static_cast<int>(std::floor(*top)),
        x + static_cast<int>(std::ceil(*right)), y + static_cast<int>(std::ceil(*bottom))};
}

// The shift that brings [low, high) inside [0, limit): first the mirror
// image about the point at p, then a push; false when it is wider than the
// picture.
bool Inward(int low, int high, int p, int limit, int& shift) {
    shift = 0;
    if (high - low > limit) {
        return false;
    }
    if (low < 0 || high > limit) {
        shift = (2 * p - high) - low;  // the mirror image's low end, less the low end
    }
    const int mirroredLow = low + shift;
    const int mirroredHigh = high + shift;
    if (mirroredLow < 0) {
        shift -= mirroredLow;
    } else if (mirroredHigh > limit) {
        shift -= mirroredHigh - limit;
    }
    return true;
}

CanvasFont LabelFont(int labelHeight, int escapement) {
    CanvasFont font;
    font.height = -labelHeight;  // character height, as the settings give it
    font.weight = kLabelWeight;
    font.escapement = escapement;
    font.face = kLabelFace;
    return font;
}

}  // namespace

CNwpContourPainter::LevelText CNwpContourPainter::MeasureLevel(float level) {
    LevelText measured;
    measured.text = NwpLabelText(level, m_settings.labelDecimals);
    if (!measured.text.empty()) {
        const CanvasFont previous = m_canvas.SelectFont(LabelFont(m_settings.labelHeight, 0));
        measured.size = m_canvas.TextExtent(measured.text);
        m_canvas.SelectFont(previous);
    }
    return measured;
}

bool CNwpContourPainter::PlaceAt(double lon, double lat, double fx, double fy,
                                 Placement& out) const {
    int x = 0;
    int y = 0;
    if (m_level.text.empty() || !ToPixel(lon, lat, x, y) || !Inside(x, y)) {
        return false;
    }
    const double theta = MeridianRotation(m_params, lon);
    const LabelOffset o = OffsetOf(fx, fy, m_level.size.cx, m_level.size.cy);
    // The offset turns with the meridian so the label keeps its side of the
    // line; the text itself turns only from 20 degrees on.
    const double phi = theta * kDegToRad;
    const double c = std::cos(phi);
    const double s = std::sin(phi);
    Placement place;
    place.escapement = LabelEscapement(theta);
    place.x = x + static_cast<int>(o.ox * c + o.oy * s);
    place.y = y - static_cast<int>(o.ox * s - o.oy * c);
    place.box = TextBox(place.x, place.y, m_level.size, place.escapement);
    int dx = 0;
    int dy = 0;
    if (!Inward(place.box.left, place.box.right, x, m_space.Width(), dx) ||
        !Inward(place.box.top, place.box.bottom, y, m_space.Height(), dy)) {
        return false;
    }
    place.x += dx;
    place.y += dy;
    place.box = CanvasBox{place.box.left + dx, place.box.top + dy, place.box.right + dx,
                          place.box.bottom + dy};
    out = place;
    return true;
}

void CNwpContourPainter::Put(const Placement& place, int line) {
    const CanvasFont previous =
        m_canvas.SelectFont(LabelFont(m_settings.labelHeight, place.escapement));
    m_canvas.TextOut(place.x, place.y, m_level.text);
    m_canvas.SelectFont(previous);
    m_space.Take(place.box, line);
}

bool CNwpContourPainter::DrawContourLabel(double lon, double lat, float value, double fx,
                                          double fy) {
    m_level = MeasureLevel(value);
    Placement place;
    if (!PlaceAt(lon, lat, fx, fy, place) ||
        m_space.FitOf(place.box, -1) != CNwpLabelSpace::Fit::kFree) {
        return false;
    }
    Put(place, m_space.NewLine());
    return true;
}

void CNwpContourPainter::LabelLine(Line& line, std::size_t k, const NwpLabelFactors& f) {
    Placement place;
    if (!PlaceAt(line.lon[k], line.lat[k], f.fx, f.fy, place)) {
        return;
    }
    switch (m_space.FitOf(place.box, line.id)) {
        case CNwpLabelSpace::Fit::kFree:
            Put(place, line.id);
            line.labelled = true;
            return;
        case CNwpLabelSpace::Fit::kOwnLine:
            return;  // the line is labelled here already
        case CNwpLabelSpace::Fit::kTaken:
            LabelAlong(line, k);
            return;
    }
}

bool CNwpContourPainter::LabelAt(Line& line, std::size_t k) {
    Placement place;
    if (!PlaceAt(line.lon[k], line.lat[k], kAlongLine.fx, kAlongLine.fy, place) ||
        m_space.FitOf(place.box, line.id) != CNwpLabelSpace::Fit::kFree) {
        return false;
    }
    Put(place, line.id);
    line.labelled = true;
    return true;
}

bool CNwpContourPainter::LabelAlong(Line& line, std::size_t k) {
    // Nearest points first, on either side of k (k - d wraps past n when
    // d > k, and is skipped).
    for (std::size_t d = 1; d < line.n; ++d) {
        if ((k + d < line.n && LabelAt(line, k + d)) || (k - d < line.n && LabelAt(line, k - d))) {
            return true;
        }
    }
    return false;
}

void CNwpContourPainter::EnsureLabel(Line& line) {
    if (line.labelled || line.n == 0) {
        return;
    }
    // The middle of the line first, so the label stands away from its ends.
    const std::size_t middle = line.n / 2;
    if (LabelAt(line, middle) || LabelAlong(line, middle)) {
        return;
    }
    // Nowhere free: the first place clear of the title, over other labels.
    for (std::size_t k = 0; k < line.n; ++k) {
        Placement place;
        if (PlaceAt(line.lon[k], line.lat[k], kAlongLine.fx, kAlongLine.fy, place) &&
            !m_space.CoversReserved(place.box)) {
            Put(place, line.id);
            line.labelled = true;
            return;
        }
    }
}
