// kelvra-cli stats: the area statistics of a box of a product (the whole
// product without one), as the desktop's area tool shows them.

#include <array>
#include <cmath>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "cli/CliVerbs.h"
#include "cli/ConvectionArgs.h"
#include "convection/AreaStatistics.h"
#include "convection/PixelBox.h"
#include "product/CGeoImage.h"
#include "product/ProductReadFailure.h"

namespace {

constexpr const char* kVerb = "stats";
constexpr int kVisibleChannel = 5;

struct StatsOptions {
    std::string file;
    bool pixelBox = false;
    bool lonLatBox = false;
    std::array<double, 4> box{};
    std::array<double, 2> coldC = kDefaultColdThresholdsC;
};

// Exactly count comma-separated numbers.
template <std::size_t N>
bool ParseNumberList(const std::string& text, std::array<double, N>& values) {
    std::istringstream in(text);
    std::string item;
    std::size_t n = 0;
    while (std::getline(in, item, ',')) {
        if (n == N || !ParseNumberArg(item, values[n])) {
            return false;
        }
        ++n;
    }
    return n == N && text.back() != ',';
}

// Pixel numbers: whole, and far inside the range of int.
bool WholePixels(const std::array<double, 4>& values) {
    constexpr double kFar = 1e9;
    for (const double v : values) {
        if (v != std::floor(v) || std::fabs(v) > kFar) {
            return false;
        }
    }
    return true;
}

std::string ParseStatsArgs(const CliArgs& args, StatsOptions& options) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--box" || arg == "--lonlat-box") {
            if (i + 1 >= args.size() || !ParseNumberList(args[++i], options.box)) {
                return arg + " takes four numbers separated by commas";
            }
            if (arg == "--box" && !WholePixels(options.box)) {
                return "--box takes whole pixel numbers";
            }
            (arg == "--box" ? options.pixelBox : options.lonLatBox) = true;
        } else if (arg == "--cold") {
            if (i + 1 >= args.size() || !ParseNumberList(args[++i], options.coldC)) {
                return "--cold takes two temperatures in °C separated by a comma";
            }
        } else if (!arg.empty() && arg[0] == '-' && arg.size() > 1) {
            return "unknown option " + arg;
        } else if (options.file.empty()) {
            options.file = arg;
        } else {
            return "stats takes one FILE";
        }
    }
    if (options.file.empty()) {
        return "no product given";
    }
    if (options.pixelBox && options.lonLatBox) {
        return "--box and --lonlat-box exclude each other";
    }
    return "";
}

// The box the options choose on the product, or the reason it is refused.
std::string ChooseBox(const StatsOptions& options, const CGeoImage& product, PixelBox& box) {
    const ProjectionParams& params = product.Params();
    const auto& b = options.box;
    if (options.lonLatBox) {
        return LonLatBoxToPixels(params, b[0], b[1], b[2], b[3], box);
    }
    box = {0, 0, params.width - 1, params.height - 1};
    if (options.pixelBox) {
        box = {static_cast<int>(b[0]), static_cast<int>(b[1]), static_cast<int>(b[2]),
               static_cast<int>(b[3])};
    }
    return ClipPixelBox(box, params.width, params.height) ? "" : "所选区域完全在图像之外";
}

void PrintArea(const char* key, bool hasArea, double km2) {
    if (hasArea) {
        std::printf("%s %.0f\n", key, km2);
    } else {
        std::printf("%s -\n", key);
    }
}

void PrintStatistics(const AreaStatistics& s, const PixelBox& box, const StatsOptions& options,
                     bool temperatures) {
    std::printf("box %d,%d,%d,%d\n", box.x0, box.y0, box.x1, box.y1);
    std::printf("pixels %lld\n", static_cast<long long>(s.pixels));
    PrintArea("area_km2", s.hasArea, s.areaKm2);
    if (s.pixels == 0) {
        std::printf("min -\nmean -\nmax -\n");
    } else {
        std::printf("min %.2f\nmean %.2f\nmax %.2f\n", static_cast<double>(s.minValue), s.meanValue,
                    static_cast<double>(s.maxValue));
    }
    if (!temperatures) {
        return;
    }
    for (std::size_t t = 0; t < s.coldPixels.size(); ++t) {
        char key[64];
        std::snprintf(key, sizeof key, "below_%gC", options.coldC[t]);
        std::printf("%s_pixels %lld\n", key, static_cast<long long>(s.coldPixels[t]));
        std::snprintf(key, sizeof key, "below_%gC_km2", options.coldC[t]);
        PrintArea(key, s.hasArea, s.coldAreaKm2[t]);
    }
}

}  // namespace

int RunStats(const CliArgs& args) {
    StatsOptions options;
    const std::string problem = ParseStatsArgs(args, options);
    if (!problem.empty()) {
        return UsageError(kVerb, problem);
    }
    CGeoImage product;
    if (!product.ReadProduct(options.file)) {
        std::fprintf(stderr, "%s\n", ProductReadFailure(product.ReadRefusal()).c_str());
        return kExitFailed;
    }
    PixelBox box;
    const std::string refusal = ChooseBox(options, product, box);
    if (!refusal.empty()) {
        std::fprintf(stderr, "kelvra-cli: %s\n", refusal.c_str());
        return kExitFailed;
    }
    const ProjectionParams& params = product.Params();
    CPixelAreas areas;
    areas.Build(params, params.width, params.height);
    const std::array<float, 2> coldK = {
        static_cast<float>(options.coldC[0] + kKelvinAtZeroCelsius),
        static_cast<float>(options.coldC[1] + kKelvinAtZeroCelsius)};
    const AreaStatistics s = ComputeAreaStatistics(product.Calibrated(), areas, box, coldK);
    const ProductDescription& d = product.Description();
    PrintStatistics(s, box, options, d.IsGrid() || d.channel != kVisibleChannel);
    return kExitOk;
}
