// The product verbs of kelvra-cli: info, extent and locate.

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "cli/CliVerbs.h"
#include "image/CDibImage.h"
#include "product/CGeoImage.h"
#include "product/ProductInfoText.h"
#include "product/ProductReadFailure.h"

namespace {

constexpr int kExitOtherHemisphere = 3;

// Reads the product (its headers alone unless counts are asked for) or
// reports the document's message; true when loaded.
bool ReadOrReport(const std::string& path, CGeoImage& product, bool counts = false) {
    if (counts ? product.ReadProduct(path) : product.ReadProductHeaders(path)) {
        return true;
    }
    std::fprintf(stderr, "%s\n", ProductReadFailure(product.ReadRefusal()).c_str());
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

// The count of pixel (x, y) as the image holds it (its grey level) and its
// calibrated value; false outside the image.
bool PixelCountAndValue(const std::string& path, const CGeoImage& product, int x, int y, int& count,
                        double& value) {
    CDibImage image;
    std::uint32_t colour = 0;
    float calibrated = 0.0f;
    if (!product.CalibratedValueAt(x, y, calibrated) || !image.Load(path) ||
        !image.GetPixel(x, y, colour)) {
        return false;
    }
    count = static_cast<int>(colour & 0xFF);
    value = calibrated;
    return true;
}

int LocatePixel(const std::string& path, const CGeoImage& product, double x, double y,
                bool withValue) {
    float lon = 0.0f;
    float lat = 0.0f;
    if (CGeoImage::PixelToLatLon(product.Params(), x, y, lon, lat) != 0) {
        return kExitFailed;
    }
    if (!withValue) {
        std::printf("%.6f %.6f\n", static_cast<double>(lon), static_cast<double>(lat));
        return kExitOk;
    }
    int count = 0;
    double value = 0.0;
    if (!PixelCountAndValue(path, product, static_cast<int>(x), static_cast<int>(y), count,
                            value)) {
        return kExitFailed;
    }
    std::printf("%.6f %.6f %d %.2f\n", static_cast<double>(lon), static_cast<double>(lat), count,
                value);
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

int RunLocate(const CliArgs& argsIn) {
    CliArgs args = argsIn;
    const bool withValue = args.size() == 4 && args[3] == "--value";
    if (withValue) {
        args.pop_back();
    }
    const bool lonLat = args.size() == 4 && args[1] == "--lonlat";
    if (!(args.size() == 3 || lonLat)) {
        return UsageError("locate", "locate takes FILE X Y [--value] or FILE --lonlat LON LAT");
    }
    double a = 0.0;
    double b = 0.0;
    const std::string& first = lonLat ? args[2] : args[1];
    const std::string& second = lonLat ? args[3] : args[2];
    if (!ParseNumber(first, a) || !ParseNumber(second, b)) {
        return UsageError("locate", "coordinates must be numbers");
    }
    CGeoImage product;
    if (!ReadOrReport(args[0], product, withValue)) {
        return kExitFailed;
    }
    return lonLat ? LocateLonLat(product, a, b) : LocatePixel(args[0], product, a, b, withValue);
}
