// The four map line overlays: coastlines and borders, the Chinese map lines,
// the provincial borders and the rivers. The files are parsed once and kept
// by the data paths' cache until they change.

#include <memory>
#include <new>
#include <string>
#include <utility>
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

struct MapOverlayFile {
    const char* name;
    MapCountRule rule;
};

MapOverlayFile FileOf(MapOverlay overlay) {
    switch (overlay) {
        case MapOverlay::World:
            return {"WORLD.LNB", MapCountRule::HalfCount};
        case MapOverlay::China:
            return {"CHINAM.MPB", MapCountRule::PointCount};
        case MapOverlay::Provinces:
            return {"PROVS.LNB", MapCountRule::HalfCount};
        case MapOverlay::Rivers:
            break;
    }
    return {"RIVER.LNB", MapCountRule::HalfCount};
}

std::shared_ptr<const MapLines> CachedMapLines(const std::string& path, MapCountRule rule,
                                               const CDataPaths& paths) {
    return paths.Cache().Get<MapLines>(
        path, rule == MapCountRule::HalfCount ? "map lines, half count" : "map lines, point count",
        [rule](const std::string& file) -> std::shared_ptr<const MapLines> {
            std::vector<std::uint8_t> bytes;
            if (!ReadWholeFile(file, bytes)) {
                return nullptr;
            }
            try {
                return ParseMapLines(std::move(bytes), rule);
            } catch (const std::bad_alloc&) {
                return nullptr;
            }
        });
}

void DrawMapLineFile(CCanvas& canvas, const ProjectionParams& params, const CDataPaths& paths,
                     MapOverlay overlay, std::uint32_t colour) {
    if (params.type == Disk) {
        return;
    }
    CCanvasStateGuard guard(canvas);
    canvas.SelectPen(CanvasPen{kPenSolid, 1, colour});
    canvas.SetBkMode(kBackgroundTransparent);
    const MapOverlayFile file = FileOf(overlay);
    const std::string path = paths.DataFile(file.name);
    const std::shared_ptr<const MapLines> lines = CachedMapLines(path, file.rule, paths);
    if (!lines) {
        paths.ReportUnusable(path);  // a missing file draws nothing
        return;
    }
    // Records wholly outside the image's box draw nothing, so they are
    // passed over without looking at their points.
    CMapLineDrawer drawer(canvas, params);
    if (!WalkMapLinesInBox(*lines, params.southLat, params.northLat, params.westLon, params.eastLon,
                           drawer)) {
        paths.ReportUnusable(path);
    }
}

constexpr std::uint32_t kWorldColour = CanvasRgb(128, 255, 128);
constexpr std::uint32_t kChinaColour = CanvasRgb(255, 192, 192);
constexpr std::uint32_t kRiverColour = CanvasRgb(0, 0, 255);

}  // namespace

void DrawWorldMap(CCanvas& canvas, const ProjectionParams& params, const CDataPaths& paths) {
    DrawMapLineFile(canvas, params, paths, MapOverlay::World, kWorldColour);
}

void DrawChinaMap(CCanvas& canvas, const ProjectionParams& params, const CDataPaths& paths) {
    DrawMapLineFile(canvas, params, paths, MapOverlay::China, kChinaColour);
}

void DrawProvinces(CCanvas& canvas, const ProjectionParams& params, const CDataPaths& paths) {
    DrawMapLineFile(canvas, params, paths, MapOverlay::Provinces, kChinaColour);
}

void DrawRivers(CCanvas& canvas, const ProjectionParams& params, const CDataPaths& paths) {
    DrawMapLineFile(canvas, params, paths, MapOverlay::Rivers, kRiverColour);
}

std::shared_ptr<const MapLines> MapOverlayLines(MapOverlay overlay, const CDataPaths& paths) {
    const MapOverlayFile file = FileOf(overlay);
    return CachedMapLines(paths.DataFile(file.name), file.rule, paths);
}
