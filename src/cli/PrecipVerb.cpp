// kelvra-cli precip: the precipitation estimate of the observation a channel
// file belongs to, as rain pixels or as a count per legend class.

#include <algorithm>
#include <array>
#include <cstdio>
#include <string>

#include "analysis/CPrecipEstimate.h"
#include "analysis/EstimatePrecipitation.h"
#include "analysis/PrecipChannelPaths.h"
#include "analysis/PrecipLegend.h"
#include "cli/CliVerbs.h"
#include "cli/StandardOutput.h"

namespace {

constexpr const char* kVerb = "precip";

// "CLASS PIXELS" per legend class, then "total PIXELS max MM".
void PrintSummary(const CPrecipEstimate& estimate) {
    std::array<long long, kPrecipClasses.size()> counts{};
    int most = 0;
    for (const PrecipPixel& p : estimate.Pixels()) {
        ++counts[static_cast<std::size_t>(PrecipClassOf(p.amount))];
        most = std::max(most, static_cast<int>(p.amount));
    }
    for (std::size_t k = 0; k < kPrecipClasses.size(); ++k) {
        // The label without its unit: the class's lowest legend value.
        const std::string label = kPrecipClasses[k].label;
        std::printf("%s %lld\n", label.substr(0, label.find(' ')).c_str(), counts[k]);
    }
    std::printf("total %zu max %d\n", estimate.Pixels().size(), most);
}

}  // namespace

int RunPrecip(const CliArgs& args) {
    std::string file;
    std::string lut;
    bool summary = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--summary") {
            summary = true;
        } else if (args[i] == "--lut") {
            if (i + 1 >= args.size()) {
                return UsageError(kVerb, "option --lut needs a folder");
            }
            lut = args[++i];
        } else if (args[i].rfind("--", 0) == 0 || !file.empty()) {
            return UsageError(kVerb, "unexpected argument '" + args[i] + "'");
        } else {
            file = args[i];
        }
    }
    if (file.empty()) {
        return UsageError(kVerb, "precip takes a product FILE");
    }

    CPrecipEstimate estimate;
    if (!lut.empty()) {
        estimate.SetThresholdFolder(lut);
    }
    std::string missing;
    if (EstimatePrecipitation(estimate, file, &missing) == 0) {
        // The application stays silent when a channel file is missing; a
        // command line says what it looked for.
        std::string ir1;
        std::string ir2;
        if (!PrecipChannelPaths(file, ir1, ir2)) {
            std::fprintf(stderr,
                         "kelvra-cli: no channel code in %s (three characters after the "
                         "second '_')\n",
                         file.c_str());
        } else if (!missing.empty()) {
            std::fprintf(stderr, "kelvra-cli: channel file not found: %s\n", missing.c_str());
        }
        return kExitFailed;
    }
    if (summary) {
        PrintSummary(estimate);
        return kExitOk;
    }
    for (const PrecipPixel& p : estimate.Pixels()) {
        if (StandardOutputFailed()) {
            break;  // the run fails at the end; millions of lines need not be tried
        }
        std::printf("%d %d %d\n", p.x, p.y, p.amount);
    }
    return kExitOk;
}
