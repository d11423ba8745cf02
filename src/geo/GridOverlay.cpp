// The dashed 10-degree latitude/longitude grid, drawn as curves of the
// image's projection in steps of 0.1 degree.

#include <cmath>

#include "geo/GridOverlay.h"
#include "geo/OverlayProjection.h"
#include "platform/Canvas.h"

namespace {

constexpr std::uint32_t kGridColour = CanvasRgb(255, 255, 128);
constexpr int kGridSpacing = 10;
constexpr float kGridStep = 0.1f;

struct GridBounds {
    int lonStart = 0;
    int lonEnd = 0;
    int latStart = 0;
    int latEnd = 0;
};

// Truncation toward zero on both sides, so the end bounds round away from
// the image only when the value is not already a multiple of ten.
GridBounds ComputeGridBounds(const ProjectionParams& p) {
    GridBounds b;
    b.lonStart = kGridSpacing * static_cast<int>(std::trunc(p.westLon * 0.1));
    b.lonEnd = kGridSpacing * (1 - static_cast<int>(std::trunc(-p.eastLon * 0.1)));
    b.latStart = kGridSpacing * static_cast<int>(std::trunc(p.southLat * 0.1));
    b.latEnd = kGridSpacing * (1 - static_cast<int>(std::trunc(-p.northLat * 0.1)));
    return b;
}

// One grid line. Its first point is a move without clipping; later points
// are drawn only strictly inside the image. A point without a position is
// skipped; when the first point has none, the line starts with a move to the
// first point that has one.
class CGridLine {
public:
    CGridLine(CCanvas& canvas, const ProjectionParams& params)
        : m_canvas(canvas), m_params(params) {}

    void Start(double lon, double lat) {
        m_bStarted = false;
        Add(lon, lat);
    }

    void Add(double lon, double lat) {
        double x = 0.0;
        double y = 0.0;
        if (!ProjectForOverlay(m_params, lon, lat, x, y)) {
            return;
        }
        const double px = std::trunc(x + 0.5);
        const double py = std::trunc(y + 0.5);
        if (!m_bStarted) {
            m_canvas.MoveTo(static_cast<int>(px), static_cast<int>(py));
            m_bStarted = true;
        } else if (0 < px && px < m_params.width && 0 < py && py < m_params.height) {
            m_canvas.LineTo(static_cast<int>(px), static_cast<int>(py));
        }
    }

private:
    CCanvas& m_canvas;
    const ProjectionParams& m_params;
    bool m_bStarted = false;
};

bool ExtentUsable(const ProjectionParams& p) {
    return std::isfinite(p.westLon) && std::isfinite(p.eastLon) && std::isfinite(p.southLat) &&
           std::isfinite(p.northLat) && std::fabs(p.westLon) <= 720.0 &&
           std::fabs(p.eastLon) <= 720.0 && std::fabs(p.southLat) <= 180.0 &&
           std::fabs(p.northLat) <= 180.0;
}

}  // namespace

void DrawGrid(CCanvas& canvas, const ProjectionParams& p) {
    if (p.type == Disk || !ExtentUsable(p)) {
        return;
    }
    CCanvasStateGuard guard(canvas);
    canvas.SelectPen(CanvasPen{kPenDash, 1, kGridColour});
    canvas.SetBkMode(kBackgroundTransparent);
    const GridBounds b = ComputeGridBounds(p);
    CGridLine line(canvas, p);
    for (int lat = b.latStart; lat <= b.latEnd; lat += kGridSpacing) {
        line.Start(b.lonStart, lat);
        for (float lon = static_cast<float>(p.westLon); lon < p.eastLon;) {
            lon += kGridStep;
            line.Add(lon, lat);
        }
    }
    for (int lon = b.lonStart; lon <= b.lonEnd; lon += kGridSpacing) {
        line.Start(lon, b.latStart);
        for (float lat = static_cast<float>(p.southLat); lat < p.northLat;) {
            lat += kGridStep;
            line.Add(lon, lat);
        }
    }
}
