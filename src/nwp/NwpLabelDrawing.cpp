// CNwpContourPainter: labels of the contour lines.

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

}  // namespace

void CNwpContourPainter::DrawContourLabel(double lon, double lat, float value, double fx,
                                          double fy) {
    int x = 0;
    int y = 0;
    if (!ToPixel(lon, lat, x, y) || !Inside(x, y)) {
        return;
    }
    const double theta = MeridianRotation(m_params, lon);
    CanvasFont font;
    font.height = -m_settings.labelHeight;  // character height, as the settings give it
    font.weight = kLabelWeight;
    font.escapement = LabelEscapement(theta);
    font.face = kLabelFace;
    const CanvasFont previous = m_canvas.SelectFont(font);
    const std::string text = NwpLabelText(value, m_settings.labelDecimals);
    if (!text.empty()) {
        const CanvasSize size = m_canvas.TextExtent(text);
        const LabelOffset o = OffsetOf(fx, fy, size.cx, size.cy);
        // The offset turns with the meridian so the label keeps its side of
        // the line; the text itself turns only from 20 degrees on.
        const double phi = theta * kDegToRad;
        const double c = std::cos(phi);
        const double s = std::sin(phi);
        m_canvas.TextOut(x + static_cast<int>(o.ox * c + o.oy * s),
                         y - static_cast<int>(o.ox * s - o.oy * c), text);
    }
    m_canvas.SelectFont(previous);
}

void CNwpContourPainter::DrawEndLabel(double lon, double lat, double neighbourLon, float value) {
    const NwpLabelFactors f = EndLabelFactors(lon, lat, neighbourLon, m_grid, m_bSouthernConic);
    DrawContourLabel(lon, lat, value, f.fx, f.fy);
}
