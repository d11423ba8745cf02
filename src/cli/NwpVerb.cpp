// kelvra-cli nwp: a diamond file as the NWP overlay reads it: its header, the
// prepared grid, or the contour lines the overlay draws, in
// longitude/latitude, as text or as GeoJSON for a GIS.

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "analysis/CContourTracer.h"
#include "cli/CliVerbs.h"
#include "cli/StandardOutput.h"
#include "nwp/CNwpOverlay.h"
#include "nwp/DiamondTokens.h"
#include "nwp/NwpLevels.h"

namespace {

struct NwpArgs {
    std::string path;
    bool grid = false;
    bool contours = false;
    bool geoJson = false;
    bool hasInterval = false;
    float interval = 0.0f;
};

// Empty on success, else what is wrong with the arguments.
std::string ParseArgs(const CliArgs& args, NwpArgs& out) {
    for (std::size_t n = 0; n < args.size(); ++n) {
        const std::string& a = args[n];
        if (a == "--grid") {
            out.grid = true;
        } else if (a == "--contours") {
            out.contours = true;
        } else if (a == "--geojson") {
            out.geoJson = true;
        } else if (a == "--interval") {
            if (n + 1 == args.size() || !ParseFloatToken(args[n + 1], out.interval) ||
                !std::isfinite(out.interval) || out.interval <= 0.0f) {
                return "--interval wants a number above 0";
            }
            out.hasInterval = true;
            ++n;
        } else if (!a.empty() && a[0] == '-') {
            return "unknown option '" + a + "'";
        } else if (out.path.empty()) {
            out.path = a;
        } else {
            return "nwp takes one FILE";
        }
    }
    if (out.path.empty()) {
        return "nwp takes a FILE";
    }
    if (out.grid && out.contours) {
        return "--grid and --contours cannot be combined";
    }
    if ((out.geoJson || out.hasInterval) && !out.contours) {
        return "--interval and --geojson go with --contours";
    }
    return std::string();
}

void PrintNumber(const char* key, double value) {
    std::printf("%s: %g\n", key, value);
}

void PrintSummary(const CNwpOverlay& overlay) {
    const DiamondHeader& h = overlay.Header();
    const NwpGridExtent& e = overlay.Extent();
    std::printf("datetime: %s\n", overlay.DateTimeText().c_str());
    std::printf("field: %s\n", overlay.FieldNameText().c_str());
    std::printf("nx: %d\n", overlay.Nx());
    std::printf("ny: %d\n", overlay.Ny());
    PrintNumber("south", e.southLat);
    PrintNumber("north", e.northLat);
    PrintNumber("west", e.firstLon);
    PrintNumber("east", e.lastLon);
    PrintNumber("dlon", e.columnSpacing);
    PrintNumber("dlat", e.rowSpacing);
    PrintNumber("interval", h.interval);
    PrintNumber("first", h.firstValue);
    PrintNumber("last", h.lastValue);
}

void PrintGrid(const CNwpOverlay& overlay) {
    const std::vector<float>& grid = overlay.Grid();
    const std::size_t nx = static_cast<std::size_t>(overlay.Nx());
    for (std::size_t at = 0; at < grid.size() && !StandardOutputFailed(); at += nx) {
        for (std::size_t i = 0; i < nx; ++i) {
            std::printf(i == 0 ? "%.4f" : " %.4f", static_cast<double>(grid[at + i]));
        }
        std::printf("\n");
    }
}

// Calls visit(level, count, firstPoint) for every line of every level.
template <typename Visit>
void ForEachLine(CContourTracer& tracer, const std::vector<float>& levels, Visit&& visit) {
    for (float level : levels) {
        tracer.TraceLevel(level);
        std::size_t first = 0;
        for (int k = 1; k <= tracer.LineCount(); ++k) {
            const int count = tracer.LineSize(k);
            visit(level, count, first);
            first += static_cast<std::size_t>(count < 0 ? -count : count);
        }
    }
}

void PrintContourText(CContourTracer& tracer, const std::vector<float>& levels) {
    ForEachLine(tracer, levels, [&tracer](float level, int count, std::size_t first) {
        const std::size_t n = static_cast<std::size_t>(count < 0 ? -count : count);
        std::printf("%.3f %d", static_cast<double>(level), count);
        for (std::size_t k = first; k < first + n; ++k) {
            std::printf(" %.3f,%.3f", static_cast<double>(tracer.X()[k]),
                        static_cast<double>(tracer.Y()[k]));
        }
        std::printf("\n");
    });
}

void PrintContourGeoJson(CContourTracer& tracer, const std::vector<float>& levels) {
    std::printf("{\"type\":\"FeatureCollection\",\"features\":[");
    bool firstFeature = true;
    ForEachLine(tracer, levels, [&](float level, int count, std::size_t first) {
        const std::size_t n = static_cast<std::size_t>(count < 0 ? -count : count);
        if (n < 2) {
            return;  // a LineString needs two positions
        }
        std::printf(
            "%s\n{\"type\":\"Feature\",\"properties\":{\"level\":%.3f,\"closed\":%s},"
            "\"geometry\":{\"type\":\"LineString\",\"coordinates\":[",
            firstFeature ? "" : ",", static_cast<double>(level), count < 0 ? "true" : "false");
        for (std::size_t k = first; k < first + n; ++k) {
            std::printf("%s[%.3f,%.3f]", k == first ? "" : ",", static_cast<double>(tracer.X()[k]),
                        static_cast<double>(tracer.Y()[k]));
        }
        std::printf("]}}");
        firstFeature = false;
    });
    std::printf("\n]}\n");
}

}  // namespace

int RunNwp(const CliArgs& args) {
    NwpArgs a;
    const std::string problem = ParseArgs(args, a);
    if (!problem.empty()) {
        return UsageError("nwp", problem);
    }
    CNwpOverlay overlay;
    DiamondError why = DiamondError::None;
    if (!overlay.ReadFile(a.path, &why)) {
        std::fprintf(stderr, "kelvra-cli: %s: %s\n", a.path.c_str(), DiamondErrorText(why));
        return kExitFailed;
    }
    if (a.grid) {
        PrintGrid(overlay);
        return kExitOk;
    }
    if (!a.contours) {
        PrintSummary(overlay);
        return kExitOk;
    }
    // Without a displayed product there is no polar picture to join the
    // first and last columns on.
    CContourTracer tracer;
    if (overlay.PrepareTracer(tracer, 0) != 0) {
        return kExitFailed;
    }
    const float interval = a.hasInterval ? a.interval : overlay.CurrentSettings().interval;
    const DiamondHeader& h = overlay.Header();
    const std::vector<float> levels = NwpContourLevels(h.firstValue, h.lastValue, interval);
    if (a.geoJson) {
        PrintContourGeoJson(tracer, levels);
    } else {
        PrintContourText(tracer, levels);
    }
    return kExitOk;
}
