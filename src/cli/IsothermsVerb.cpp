// kelvra-cli isotherms: the lines that the isotherm layer draws, level by
// level and before truncation to pixels, as text or as GeoJSON in
// longitude/latitude for a GIS.

#include <cstdio>
#include <string>
#include <vector>

#include "analysis/CContourTracer.h"
#include "analysis/IsothermLines.h"
#include "cli/CliVerbs.h"
#include "product/CGeoImage.h"
#include "product/GridElements.h"
#include "product/ProductReadFailure.h"

namespace {

struct LonLat {
    float lon;
    float lat;
};

// Text form: "LEVEL COUNT X1,Y1 X2,Y2 ..." per line.
void PrintText(const std::vector<IsothermLevel>& levels) {
    for (const IsothermLevel& level : levels) {
        std::size_t first = 0;
        for (int count : level.counts) {
            const std::size_t n = static_cast<std::size_t>(count < 0 ? -count : count);
            std::printf("%.1f %d", static_cast<double>(level.level), count);
            for (std::size_t k = first; k < first + n; ++k) {
                std::printf(" %.3f,%.3f", static_cast<double>(level.x[k]),
                            static_cast<double>(level.y[k]));
            }
            std::printf("\n");
            first += n;
        }
    }
}

// Splits a line at the points that cannot be located; pieces of fewer than
// two points are not lines.
std::vector<std::vector<LonLat>> LocatedPieces(const ProjectionParams& params,
                                               const IsothermLevel& level, std::size_t first,
                                               std::size_t n) {
    std::vector<std::vector<LonLat>> pieces(1);
    for (std::size_t k = first; k < first + n; ++k) {
        LonLat p{};
        if (CGeoImage::PixelToLatLon(params, level.x[k], level.y[k], p.lon, p.lat) == 0) {
            pieces.back().push_back(p);
        } else if (!pieces.back().empty()) {
            pieces.emplace_back();
        }
    }
    std::vector<std::vector<LonLat>> lines;
    for (auto& piece : pieces) {
        if (piece.size() >= 2) {
            lines.push_back(std::move(piece));
        }
    }
    return lines;
}

void PrintFeature(bool& firstFeature, const IsothermLevel& level, bool closed,
                  const std::vector<LonLat>& line) {
    std::printf(
        "%s\n{\"type\":\"Feature\",\"properties\":{\"level\":%.1f,\"closed\":%s},"
        "\"geometry\":{\"type\":\"LineString\",\"coordinates\":[",
        firstFeature ? "" : ",", static_cast<double>(level.level), closed ? "true" : "false");
    for (std::size_t k = 0; k < line.size(); ++k) {
        std::printf("%s[%.6f,%.6f]", k == 0 ? "" : ",", static_cast<double>(line[k].lon),
                    static_cast<double>(line[k].lat));
    }
    std::printf("]}}");
    firstFeature = false;
}

void PrintGeoJson(const ProjectionParams& params, const std::vector<IsothermLevel>& levels) {
    std::printf("{\"type\":\"FeatureCollection\",\"features\":[");
    bool firstFeature = true;
    for (const IsothermLevel& level : levels) {
        std::size_t first = 0;
        for (int count : level.counts) {
            const std::size_t n = static_cast<std::size_t>(count < 0 ? -count : count);
            for (const auto& line : LocatedPieces(params, level, first, n)) {
                PrintFeature(firstFeature, level, count < 0, line);
            }
            first += n;
        }
    }
    std::printf("\n]}\n");
}

}  // namespace

int RunIsotherms(const CliArgs& args) {
    const bool geoJson = args.size() == 2 && args[1] == "--geojson";
    if (!(args.size() == 1 || geoJson)) {
        return UsageError("isotherms", "isotherms takes FILE and optionally --geojson");
    }
    CGeoImage product;
    if (!product.ReadProduct(args[0])) {
        std::fprintf(stderr, "%s\n", ProductReadFailure(product.ReadRefusal()).c_str());
        return kExitFailed;
    }
    if (!ValuesAreTemperatures(product.Description())) {
        std::fprintf(stderr, "格点产品的要素不是温度,没有等温线\n");
        return kExitFailed;
    }
    CContourTracer tracer;
    std::vector<IsothermLevel> levels;
    if (!IsothermLines(tracer, product.Calibrated(), levels)) {
        levels.clear();
    }
    if (geoJson) {
        PrintGeoJson(product.Params(), levels);
    } else {
        PrintText(levels);
    }
    return kExitOk;
}
