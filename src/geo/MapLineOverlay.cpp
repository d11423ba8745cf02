// The four map line overlays: coastlines and borders, the Chinese map lines,
// the provincial borders and the rivers. The files are parsed once and kept
// by the data paths' cache until they change.

#include <memory>
#include <new>
#include <string>
#include <vector>

#include "geo/MapLineFile.h"
#include "geo/MapLineOverlay.h"
#include "geo/OverlayProjection.h"
#include "platform/Canvas.h"
#include "platform/DataPaths.h"

namespace {

// Keeps the vertices strictly inside the image's box, projects them and
// joins consecutive inside vertices; an outside vertex lifts the pen.
class CMapLineDrawer : public CMapLineVisitor {
public:
    CMapLineDrawer(CCanvas& canvas, const ProjectionParams& params)
        : m_canvas(canvas), m_params(params) {}

    void BeginRecord() override { m_bPenDown = false; }

    void Point(double lat, float lon) override {
        if (!(m_params.southLat < lat && lat < m_params.northLat && m_params.westLon < lon &&
              lon < m_params.eastLon)) {
            m_bPenDown = false;
            return;
        }
        double x = 0.0;
        double y = 0.0;
        if (!ProjectForOverlay(m_params, lon, lat, x, y)) {
            m_bPenDown = false;  // never join across a point without a position
            return;
        }
        const int px = static_cast<int>(x);  // truncation toward zero
        const int py = static_cast<int>(y);
        if (m_bPenDown) {
            m_canvas.LineTo(px, py);
        } else {
            m_canvas.MoveTo(px, py);
            m_bPenDown = true;
        }
    }

private:
    CCanvas& m_canvas;
    const ProjectionParams& m_params;
    bool m_bPenDown = false;
};

void DrawMapLineFile(CCanvas& canvas, const ProjectionParams& params, const CDataPaths& paths,
                     const std::string& name, MapCountRule rule, std::uint32_t colour) {
    if (params.type == Disk) {
        return;
    }
    CCanvasStateGuard guard(canvas);
    canvas.SelectPen(CanvasPen{kPenSolid, 1, colour});
    canvas.SetBkMode(kBackgroundTransparent);
    const std::string path = paths.DataFile(name);
    const std::shared_ptr<const MapLines> lines = paths.Cache().Get<MapLines>(
        path, rule == MapCountRule::HalfCount ? "map lines, half count" : "map lines, point count",
        [rule](const std::string& file) -> std::shared_ptr<const MapLines> {
            std::vector<std::uint8_t> bytes;
            if (!ReadWholeFile(file, bytes)) {
                return nullptr;
            }
            try {
                return ParseMapLines(bytes.data(), bytes.size(), rule);
            } catch (const std::bad_alloc&) {
                return nullptr;
            }
        });
    if (!lines) {
        paths.ReportUnusable(path);  // a missing file draws nothing
        return;
    }
    // Records wholly outside the image's box draw nothing, so they are
    // passed over without looking at their points.
    CMapLineDrawer drawer(canvas, params);
    if (!WalkMapLinesInBox(*lines, params.southLat, params.northLat, params.westLon,
                           params.eastLon, drawer)) {
        paths.ReportUnusable(path);
    }
}

constexpr std::uint32_t kWorldColour = CanvasRgb(128, 255, 128);
constexpr std::uint32_t kChinaColour = CanvasRgb(255, 192, 192);
constexpr std::uint32_t kRiverColour = CanvasRgb(0, 0, 255);

}  // namespace

void DrawWorldMap(CCanvas& canvas, const ProjectionParams& params, const CDataPaths& paths) {
    DrawMapLineFile(canvas, params, paths, "WORLD.LNB", MapCountRule::HalfCount, kWorldColour);
}

void DrawChinaMap(CCanvas& canvas, const ProjectionParams& params, const CDataPaths& paths) {
    DrawMapLineFile(canvas, params, paths, "CHINAM.MPB", MapCountRule::PointCount, kChinaColour);
}

void DrawProvinces(CCanvas& canvas, const ProjectionParams& params, const CDataPaths& paths) {
    DrawMapLineFile(canvas, params, paths, "PROVS.LNB", MapCountRule::HalfCount, kChinaColour);
}

void DrawRivers(CCanvas& canvas, const ProjectionParams& params, const CDataPaths& paths) {
    DrawMapLineFile(canvas, params, paths, "RIVER.LNB", MapCountRule::HalfCount, kRiverColour);
}
