// CNwpContourPainter: the lines of one level, cut at the picture's border.

#include <cmath>
#include <cstdlib>
#include <limits>

#include "nwp/CNwpContourPainter.h"
#include "product/CGeoImage.h"

namespace {

// Far beyond any picture, far inside int.
constexpr double kMaxPixel = 1.0e7;
// Where the label of a closed line goes, relative to its northernmost point.
constexpr NwpLabelFactors kClosedLabel{-0.5, 0.5};

}  // namespace

NwpDrawingSettings DrawingSettingsOf(const NwpSettings& current) {
    NwpDrawingSettings s;
    s.labelColour = current.labelColour;
    s.labelHeight = current.labelHeight;
    s.lineColour = current.lineColour;
    s.lineStyle = current.lineStyle;
    s.labelDecimals = current.labelDecimals;
    return s;
}

CNwpContourPainter::CNwpContourPainter(CCanvas& canvas, const ProjectionParams& params,
                                       const NwpDrawingSettings& settings,
                                       const NwpGridExtent& grid, CNwpLabelSpace* space)
    : m_canvas(canvas),
      m_params(params),
      m_settings(settings),
      m_grid(grid),
      m_bSouthernConic(IsSouthernConic(grid, params)),
      m_ownSpace(canvas.Width(), canvas.Height()),
      m_space(space != nullptr ? *space : m_ownSpace) {}

bool CNwpContourPainter::ToPixel(double lon, double lat, int& x, int& y) const {
    double px = std::numeric_limits<double>::quiet_NaN();
    double py = px;
    if (CGeoImage::LatLonToPixel(m_params, lon, lat, px, py) != 0 || !std::isfinite(px) ||
        !std::isfinite(py) || std::fabs(px) > kMaxPixel || std::fabs(py) > kMaxPixel) {
        return false;
    }
    x = static_cast<int>(px);
    y = static_cast<int>(py);
    return true;
}

void CNwpContourPainter::DrawContourLevel(const NwpLines& lines, float level) {
    const CanvasPen previousPen =
        m_canvas.SelectPen(CanvasPen{m_settings.lineStyle, 1, m_settings.lineColour});
    const std::uint32_t previousColour = m_canvas.SetTextColor(m_settings.labelColour);
    m_level = MeasureLevel(level);
    std::size_t first = 0;
    for (int k = 0; k < lines.lineCount; ++k) {
        const int count = lines.counts[k];
        const std::size_t n = static_cast<std::size_t>(std::abs(count));
        Line line{lines.lon + first, lines.lat + first, n, m_space.NewLine(), false};
        DrawLine(line, count < 0);
        first += n;
    }
    m_canvas.SetTextColor(previousColour);
    m_canvas.SelectPen(previousPen);
}

void CNwpContourPainter::DrawLine(Line& line, bool closed) {
    const float* lon = line.lon;
    const float* lat = line.lat;
    const std::size_t n = line.n;
    bool penDown = false;
    bool seen = false;  // a point of the line lies inside the picture
    int lastX = 0;      // the last point drawn
    int lastY = 0;
    for (std::size_t k = 0; k < n; ++k) {
        int x = 0;
        int y = 0;
        const bool located = ToPixel(lon[k], lat[k], x, y);
        if (located && Inside(x, y)) {
            seen = true;
            if (penDown) {
                m_canvas.LineTo(x, y);
            } else {
                m_canvas.MoveTo(x, y);
                penDown = true;
                if (k != 0 && k + 1 != n) {
                    // The line comes back into the picture here.
                    LabelLine(line, k, EdgeLabelFactors(x, y, m_params.width));
                }
            }
            lastX = x;
            lastY = y;
        } else if (penDown) {
            // The line leaves the picture: label its last point inside, beside
            // the edge it crosses. A point without a pixel tells no edge, so
            // the last point drawn stands for it.
            const NwpLabelFactors f = located ? EdgeLabelFactors(x, y, m_params.width)
                                              : EdgeLabelFactors(lastX, lastY, m_params.width);
            LabelLine(line, k - 1, f);
            penDown = false;
        }
    }
    if (closed && n > 0) {
        std::size_t top = 0;
        for (std::size_t k = 1; k < n; ++k) {
            if (lat[k] > lat[top]) {
                top = k;
            }
        }
        LabelLine(line, top, kClosedLabel);
    } else if (!closed && n > 1) {
        LabelLine(line, 0, EndLabelFactors(lon[0], lat[0], lon[1], m_grid, m_bSouthernConic));
        LabelLine(line, n - 1,
                  EndLabelFactors(lon[n - 1], lat[n - 1], lon[n - 2], m_grid, m_bSouthernConic));
    }
    if (seen) {
        EnsureLabel(line);
    }
}
