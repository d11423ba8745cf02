// kelvra-cli series: a point's calibrated value through several products, in
// observation-time order, as the desktop's point history charts it.

#include <cstdio>
#include <string>
#include <vector>

#include "cli/CliVerbs.h"
#include "cli/ConvectionArgs.h"
#include "cli/StandardOutput.h"
#include "product/CGeoImage.h"
#include "product/ObservationTime.h"
#include "product/PointSeries.h"
#include "product/ProductReadFailure.h"

namespace {

constexpr const char* kVerb = "series";

struct SeriesOptions {
    std::vector<std::string> files;
    bool lonLatGiven = false;
    double lon = 0.0;
    double lat = 0.0;
    bool csv = false;
};

std::string ParseSeriesArgs(const CliArgs& args, SeriesOptions& options) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--lonlat") {
            if (i + 2 >= args.size() || !ParseNumberArg(args[i + 1], options.lon) ||
                !ParseNumberArg(args[i + 2], options.lat)) {
                return "--lonlat takes LON LAT";
            }
            i += 2;
            options.lonLatGiven = true;
        } else if (arg == "--csv") {
            options.csv = true;
        } else if (!arg.empty() && arg[0] == '-' && arg.size() > 1) {
            return "unknown option " + arg;
        } else {
            options.files.push_back(arg);
        }
    }
    if (options.files.empty()) {
        return "no product given";
    }
    if (!options.lonLatGiven) {
        return "--lonlat LON LAT is required";
    }
    return "";
}

// Writes the lines, stopping at the first one standard output refused.
void PrintSeries(const std::vector<SeriesPoint>& series, bool csv) {
    const char separator = csv ? ',' : ' ';
    if (csv) {
        std::fputs("time,value\n", stdout);
    }
    for (const SeriesPoint& point : series) {
        if (StandardOutputFailed()) {
            return;
        }
        const std::string time =
            point.minutes == kUnknownObservation ? std::string("-") : IsoTimeText(point.minutes);
        if (point.present) {
            std::printf("%s%c%.2f\n", time.c_str(), separator, static_cast<double>(point.value));
        } else {
            std::printf("%s%c%s\n", time.c_str(), separator, csv ? "" : "-");
        }
    }
}

}  // namespace

int RunSeries(const CliArgs& args) {
    SeriesOptions options;
    const std::string problem = ParseSeriesArgs(args, options);
    if (!problem.empty()) {
        return UsageError(kVerb, problem);
    }
    // Every product is read before anything is printed, so a file that
    // cannot be read fails the run without a partial table.
    std::vector<CGeoImage> products(options.files.size());
    std::vector<const CGeoImage*> pointers;
    for (std::size_t i = 0; i < options.files.size(); ++i) {
        if (!products[i].ReadProduct(options.files[i])) {
            std::fprintf(stderr, "%s: %s\n", options.files[i].c_str(),
                         ProductReadFailure(products[i].ReadRefusal()).c_str());
            return kExitFailed;
        }
        pointers.push_back(&products[i]);
    }
    PrintSeries(PointSeries(pointers, options.lon, options.lat), options.csv);
    return kExitOk;
}
