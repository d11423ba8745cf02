// kelvra-cli trend: cloud-top cooling between two products of one geometry
// and channel, drawn over the newer picture through the composition, and/or
// summed up as the pixels cooling fast and the fastest rate.

#include <cstdio>
#include <string>

#include "cli/CliVerbs.h"
#include "cli/ConvectionArgs.h"
#include "cli/PictureModule.h"
#include "convection/CoolingRate.h"
#include "product/ObservationTime.h"

namespace {

constexpr const char* kVerb = "trend";

struct TrendOptions {
    std::string older;
    std::string newer;
    std::string output;
    bool summary = false;
};

std::string ParseTrendArgs(const CliArgs& args, TrendOptions& options) {
    std::vector<std::string> files;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "-o") {
            if (i + 1 >= args.size()) {
                return "missing value after -o";
            }
            options.output = args[++i];
        } else if (args[i] == "--summary") {
            options.summary = true;
        } else if (!args[i].empty() && args[i][0] == '-') {
            return "unknown option " + args[i];
        } else {
            files.push_back(args[i]);
        }
    }
    if (files.size() != 2) {
        return "trend takes two products, OLD and NEW";
    }
    if (options.output.empty() && !options.summary) {
        return "nothing asked: give -o OUT and/or --summary";
    }
    options.older = files[0];
    options.newer = files[1];
    return "";
}

}  // namespace

int RunTrend(const CliArgs& args) {
    TrendOptions options;
    const std::string problem = ParseTrendArgs(args, options);
    if (!problem.empty()) {
        return UsageError(kVerb, problem);
    }
    CGeoImage older;
    CGeoImage newer;
    if (!ReadConvectionProduct(options.older, false, older) ||
        !ReadConvectionProduct(options.newer, false, newer)) {
        return kExitFailed;
    }
    CCoolingMap cooling;
    std::string why;
    if (!cooling.Make(older, newer, why)) {
        std::fprintf(stderr, "%s\n", why.c_str());
        return kExitFailed;
    }
    if (options.summary) {
        const CoolingSummary summary = cooling.Summary();
        std::printf("cooling %lld fastest %.2f\n", summary.fastPixels,
                    static_cast<double>(summary.fastestKPerHour));
    }
    if (!options.output.empty()) {
        // Drawn over the newer product, whichever was named second.
        const bool newerSecond =
            ObservationMinutes(older.Description()) < ObservationMinutes(newer.Description());
        const std::string& drawnOver = newerSecond ? options.newer : options.older;
        const std::string& other = newerSecond ? options.older : options.newer;
        return RunPictureModule(kVerb, {drawnOver, other, options.output});
    }
    return kExitOk;
}
