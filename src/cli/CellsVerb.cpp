// kelvra-cli cells: the cold-cloud cells of a product, largest first, as
// text or GeoJSON; with --track, the tracks of the cells through several
// products of one geometry in time order.

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "cli/CliVerbs.h"
#include "cli/ConvectionArgs.h"
#include "convection/CellOutline.h"
#include "convection/CellTracks.h"
#include "convection/ColdCells.h"
#include "convection/CoolingRate.h"
#include "product/ObservationTime.h"

namespace {

constexpr const char* kVerb = "cells";

struct CellsOptions {
    std::vector<std::string> files;
    ConvectionSettings settings;
    bool geoJson = false;
    bool track = false;
};

std::string ParseCellsArgs(const CliArgs& args, CellsOptions& options) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--geojson") {
            options.geoJson = true;
        } else if (arg == "--track") {
            options.track = true;
        } else if (arg == "--threshold" || arg == "--shield" || arg == "--min-area") {
            double value = 0.0;
            if (i + 1 >= args.size() || !ParseNumberArg(args[++i], value)) {
                return "a number must follow " + arg;
            }
            if (arg == "--threshold") {
                options.settings.thresholdK = static_cast<float>(value);
                options.settings.shieldThresholdK =
                    std::max(options.settings.shieldThresholdK, options.settings.thresholdK);
            } else if (arg == "--shield") {
                options.settings.shieldThresholdK = static_cast<float>(value);
            } else {
                options.settings.minAreaKm2 = value;
            }
        } else if (!arg.empty() && arg[0] == '-') {
            return "unknown option " + arg;
        } else {
            options.files.push_back(arg);
        }
    }
    if (options.files.empty()) {
        return "no product given";
    }
    if (options.files.size() > 1 && !options.track) {
        return "several products need --track";
    }
    if (options.track && options.geoJson) {
        return "--geojson gives the cells of one product, not tracks";
    }
    return ConvectionSettingsProblem(options.settings);
}

void PrintCellLines(const std::vector<ColdCell>& cells) {
    for (const ColdCell& cell : cells) {
        std::printf("%d %.0f %.2f %.2f %.3f %.3f %d\n", cell.id, cell.areaKm2,
                    static_cast<double>(cell.minK), static_cast<double>(cell.meanK), cell.lon,
                    cell.lat, cell.pixels);
    }
}

// The outline as a closed ring; longitudes are kept continuous from the
// first point, so a cell across the date line is not torn apart.
void PrintRing(const ProjectionParams& params, const ColdCell& cell) {
    const std::vector<CellPixel> outline = CellOutline(cell);
    std::printf("[[");
    double previous = 0.0;
    for (std::size_t k = 0; k <= outline.size(); ++k) {
        const CellPixel& p = outline[k % outline.size()];
        double lon = 0.0;
        double lat = 0.0;
        LocateImagePoint(params, p.x, p.y, lon, lat);
        if (k > 0) {
            lon += 360.0 * std::round((previous - lon) / 360.0);
        }
        previous = lon;
        std::printf("%s[%.6f,%.6f]", k == 0 ? "" : ",", lon, lat);
    }
    // A ring needs four positions; a cell of one or two pixels repeats them.
    for (std::size_t k = outline.size() + 1; k < 4; ++k) {
        double lon = 0.0;
        double lat = 0.0;
        LocateImagePoint(params, outline[0].x, outline[0].y, lon, lat);
        std::printf(",[%.6f,%.6f]", lon, lat);
    }
    std::printf("]]");
}

void PrintCellGeoJson(const ProjectionParams& params, const std::vector<ColdCell>& cells) {
    std::printf("{\"type\":\"FeatureCollection\",\"features\":[");
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const ColdCell& c = cells[i];
        std::printf(
            "%s\n{\"type\":\"Feature\",\"properties\":{\"id\":%d,\"area_km2\":%.0f,"
            "\"min_k\":%.2f,\"mean_k\":%.2f,\"lon\":%.3f,\"lat\":%.3f,\"pixels\":%d,"
            "\"shield_km2\":%.0f},\"geometry\":{\"type\":\"Polygon\",\"coordinates\":",
            i == 0 ? "" : ",", c.id, c.areaKm2, static_cast<double>(c.minK),
            static_cast<double>(c.meanK), c.lon, c.lat, c.pixels, c.shieldKm2);
        PrintRing(params, c);
        std::printf("}}");
    }
    std::printf("\n]}\n");
}

int RunOne(const CellsOptions& options) {
    CGeoImage product;
    if (!ReadConvectionProduct(options.files[0], true, product)) {
        return kExitFailed;
    }
    CPixelAreas areas;
    const CalibratedGrid grid = product.Calibrated();
    if (!areas.Build(product.Params(), grid.width, grid.height)) {
        std::fprintf(stderr, "产品的地理定位不能使用,不能计算云团面积\n");
        return kExitFailed;
    }
    const std::vector<ColdCell> cells =
        FindColdCells(grid, product.Params(), areas, options.settings);
    if (options.geoJson) {
        PrintCellGeoJson(product.Params(), cells);
    } else {
        PrintCellLines(cells);
    }
    return kExitOk;
}

void PrintTrackLines(const std::vector<TrackStep>& steps) {
    for (const TrackStep& s : steps) {
        std::printf("%d %d %.0f %.2f %.3f %.3f ", s.frame + 1, s.track, s.areaKm2,
                    static_cast<double>(s.minK), s.lon, s.lat);
        if (s.moved) {
            std::printf("%.1f %.0f %.1f\n", s.speedKmh, s.directionDeg, s.growthPctPerHour);
        } else {
            std::printf("- - -\n");
        }
    }
}

int RunTrack(const CellsOptions& options) {
    std::vector<CGeoImage> products(options.files.size());
    for (std::size_t i = 0; i < options.files.size(); ++i) {
        if (!ReadConvectionProduct(options.files[i], true, products[i])) {
            return kExitFailed;
        }
        if (i > 0 && !SameGeometry(products[0], products[i])) {
            std::fprintf(stderr, "各时次的投影或范围不同,不能跟踪云团: %s\n",
                         options.files[i].c_str());
            return kExitFailed;
        }
    }
    std::stable_sort(products.begin(), products.end(), [](const CGeoImage& a, const CGeoImage& b) {
        return ObservationMinutes(a.Description()) < ObservationMinutes(b.Description());
    });
    for (std::size_t i = 1; i < products.size(); ++i) {
        if (ObservationMinutes(products[i].Description()) ==
            ObservationMinutes(products[i - 1].Description())) {
            std::fprintf(stderr, "有两个时次的观测时间相同,不能计算移速\n");
            return kExitFailed;
        }
    }
    CPixelAreas areas;
    const CalibratedGrid first = products[0].Calibrated();
    if (!areas.Build(products[0].Params(), first.width, first.height)) {
        std::fprintf(stderr, "产品的地理定位不能使用,不能计算云团面积\n");
        return kExitFailed;
    }
    std::vector<TrackFrame> frames;
    for (const CGeoImage& product : products) {
        frames.push_back(
            {ObservationMinutes(product.Description()),
             FindColdCells(product.Calibrated(), product.Params(), areas, options.settings)});
    }
    PrintTrackLines(TrackCells(frames));
    return kExitOk;
}

}  // namespace

int RunCells(const CliArgs& args) {
    CellsOptions options;
    const std::string problem = ParseCellsArgs(args, options);
    if (!problem.empty()) {
        return UsageError(kVerb, problem);
    }
    return options.track ? RunTrack(options) : RunOne(options);
}
