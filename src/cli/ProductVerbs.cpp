// The product verbs of kelvra-cli: info, extent and locate.

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "cli/CliVerbs.h"
#include "product/CGeoImage.h"
#include "product/ProductInfoText.h"

namespace {

constexpr const char* kReadFailed = "获取图像文件描述信息失败";
constexpr int kExitOtherHemisphere = 3;

// Reads the product or reports the document's message; true when loaded.
bool ReadOrReport(const std::string& path, CGeoImage& product) {
    if (product.ReadProduct(path)) {
        return true;
    }
    std::fprintf(stderr, "%s\n", kReadFailed);
    return false;
}

// A whole-string decimal number; false for anything else (including "1e", "").
bool ParseNumber(const std::string& text, double& value) {
    if (text.empty()) {
        return false;
    }
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return end == text.c_str() + text.size() && std::isfinite(value);
}

int LocatePixel(const CGeoImage& product, double x, double y) {
    float lon = 0.0f;
    float lat = 0.0f;
    if (CGeoImage::PixelToLatLon(product.Params(), x, y, lon, lat) != 0) {
        return kExitFailed;
    }
    std::printf("%.6f %.6f\n", static_cast<double>(lon), static_cast<double>(lat));
    return kExitOk;
}

int LocateLonLat(const CGeoImage& product, double lon, double lat) {
    // The transform leaves x, y alone when it fails without output; NaN tells
    // the two failures apart.
    double x = std::numeric_limits<double>::quiet_NaN();
    double y = std::numeric_limits<double>::quiet_NaN();
    const int rc = CGeoImage::LatLonToPixel(product.Params(), lon, lat, x, y);
    if (std::isnan(x) || std::isnan(y)) {
        return kExitFailed;
    }
    std::printf("%.6f %.6f\n", x, y);
    return rc == 0 ? kExitOk : kExitOtherHemisphere;
}

}  // namespace

int RunInfo(const CliArgs& args) {
    if (args.size() != 1) {
        return UsageError("info", "info takes exactly one FILE");
    }
    CGeoImage product;
    if (!ReadOrReport(args[0], product)) {
        return kExitFailed;
    }
    std::fputs(ProductInfoText(product.Description()).c_str(), stdout);
    return kExitOk;
}

int RunExtent(const CliArgs& args) {
    if (args.size() != 1) {
        return UsageError("extent", "extent takes exactly one FILE");
    }
    CGeoImage product;
    if (!ReadOrReport(args[0], product)) {
        return kExitFailed;
    }
    const ProjectionParams& p = product.Params();
    std::printf("%.6f %.6f %.6f %.6f\n", p.westLon, p.eastLon, p.southLat, p.northLat);
    return kExitOk;
}

int RunLocate(const CliArgs& args) {
    const bool lonLat = args.size() == 4 && args[1] == "--lonlat";
    if (!(args.size() == 3 || lonLat)) {
        return UsageError("locate", "locate takes FILE X Y or FILE --lonlat LON LAT");
    }
    double a = 0.0;
    double b = 0.0;
    const std::string& first = lonLat ? args[2] : args[1];
    const std::string& second = lonLat ? args[3] : args[2];
    if (!ParseNumber(first, a) || !ParseNumber(second, b)) {
        return UsageError("locate", "coordinates must be numbers");
    }
    CGeoImage product;
    if (!ReadOrReport(args[0], product)) {
        return kExitFailed;
    }
    return lonLat ? LocateLonLat(product, a, b) : LocatePixel(product, a, b);
}
