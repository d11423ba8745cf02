// kelvra-cli: the headless front end over the same core code as the desktop
// application. Output is UTF-8. The executable holds no Qt: the verbs that
// draw run in the picture module, loaded when they run (cli/PictureModule.h).

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "cli/CliVerbs.h"
#include "cli/PictureModule.h"
#include "cli/PictureOptions.h"
#include "cli/StandardOutput.h"
#include "platform/LargePageHeap.h"
#include "platform/ProgramArguments.h"
#include "platform/TempFileCleanup.h"

namespace {

constexpr std::size_t kLargePageReserve = std::size_t{64} << 20;

#ifdef KELVRA_HAVE_PICTURES
const std::string kRenderUsage = std::string("render FILE -o OUT ") + kPictureOptionsUsage;
const std::string kAnimateUsage =
    std::string("animate FILE... -o OUT.gif|DIR/ [--delay MS] [--loop N] ") + kPictureOptionsUsage;
#endif

struct Verb {
    const char* name;
    int (*run)(const CliArgs&);
    std::string usage;
    const char* summary;
};

// One row per verb, in the order of the help text.
const Verb kVerbs[] = {
    {"info", RunInfo, "info FILE", "print the product's information text"},
    {"extent", RunExtent, "extent FILE", "print WEST EAST SOUTH NORTH of the product"},
    {"locate", RunLocate, "locate FILE X Y [--value] | locate FILE --lonlat LON LAT",
     "pixel to longitude/latitude (with count and calibrated value), or back"},
    {"synth", RunSynth, "synth OUT [--projection CODE] [--size WxH] [...]",
     "write a synthetic AWX product (see synth --help)"},
#ifdef KELVRA_HAVE_PICTURES
    {"render", RunRender, kRenderUsage,
     "compose the picture with palette and overlays and save it (BMP/JPEG/TGA)"},
    {"animate", RunAnimate, kAnimateUsage,
     "the pictures of render, in observation-time order, as an animated GIF or numbered PNGs"},
    {"thumbnail", RunThumbnail, "thumbnail IN OUT SIZE",
     "the product's picture as the desktop first shows it, longest side SIZE, as PNG (for file "
     "managers)"},
#endif
    {"convert", RunConvert, "convert IN OUT", "load an image or product, save it by extension"},
    {"enhance", RunEnhance, "enhance IN OUT OP...",
     "apply in order: brightness=P contrast=P negate noise=P stretch blur sharpen median mean "
     "emboss edge palette=PATH|off restore"},
    {"isotherms", RunIsotherms, "isotherms FILE [--geojson]",
     "the isotherm lines of the product, as text or GeoJSON in longitude/latitude"},
    {"precip", RunPrecip, "precip FILE [--lut DIR] [--summary]",
     "the precipitation estimate: X Y MM per rain pixel, or pixels per legend class"},
    {"cells", RunCells,
     "cells FILE [--threshold K] [--shield K] [--min-area KM2] [--geojson] | "
     "cells FILE... --track",
     "cold-cloud cells, largest first (ID AREA_KM2 MIN_K MEAN_K LON LAT PIXELS), or their tracks"},
    {"trend", RunTrend, "trend OLD NEW [-o OUT] [--summary]",
     "cloud-top cooling per hour drawn over the newer picture, or pixels cooling fast"},
    {"stats", RunStats, "stats FILE [--box X0,Y0,X1,Y1 | --lonlat-box W,E,S,N] [--cold C1,C2]",
     "pixels, area (km²), min/mean/max value and the area colder than C1 and C2 °C (default "
     "-32,-52) of a box, clipped to the product"},
    {"series", RunSeries, "series FILE... --lonlat LON LAT [--csv]",
     "the point's value in each product, TIME VALUE in time order ('-' where it has none)"},
    {"export", RunExport, "export FILE -o OUT.tif [--counts] [--cog] | export FILE... -o OUT.nc",
     "the calibrated values with their coordinates as a GeoTIFF, or a loop as CF NetCDF"},
    {"nwp", RunNwp, "nwp FILE [--grid] [--contours [--interval X] [--geojson]]",
     "a diamond NWP file: header, prepared grid, or contour lines in longitude/latitude"},
    {"list", RunList,
     "list FOLDER [--code CODE] [--channel IR1|IR2|WV|IR3|VIS] [--latest N] [--recursive] "
     "[--from YYYYMMDDHHMM] [--to YYYYMMDDHHMM]",
     "the file list's rows of a catalogue folder: PATH TIME PROJECTION CENTRE SIZE, "
     "tab-separated, in time order"},
};

const Verb* FindVerb(const std::string& name) {
    for (const Verb& verb : kVerbs) {
        if (name == verb.name) {
            return &verb;
        }
    }
    return nullptr;
}

void PrintHelp(std::FILE* out) {
    std::fprintf(out, "usage: kelvra-cli VERB ARGS...\n\nverbs:\n");
    for (const Verb& verb : kVerbs) {
        std::fprintf(out, "  %-48s %s\n", verb.usage.c_str(), verb.summary);
    }
}

}  // namespace

int UsageError(const std::string& verb, const std::string& message) {
    std::fprintf(stderr, "kelvra-cli: %s\n", message.c_str());
    if (const Verb* v = FindVerb(verb)) {
        std::fprintf(stderr, "usage: kelvra-cli %s\n", v->usage.c_str());
    } else {
        PrintHelp(stderr);
    }
    return kExitUsage;
}

namespace {

int RunVerb(const std::vector<std::string>& arguments) {
    if (arguments.empty()) {
        return UsageError("", "no verb given");
    }
    const std::string& first = arguments.front();
    if (first == "--help" || first == "-h" || first == "help") {
        PrintHelp(stdout);
        return kExitOk;
    }
    const Verb* verb = FindVerb(first);
#ifndef KELVRA_HAVE_PICTURES
    if (!verb && (first == "render" || first == "animate" || first == "thumbnail")) {
        return RunPictureModule(first, CliArgs(arguments.begin() + 1, arguments.end()));
    }
#endif
    if (!verb) {
        return UsageError("", "unknown verb '" + first + "'");
    }
    // A product's counts, its image and its picture (tens of megabytes) are
    // made in large pages: a few page faults instead of thousands.
    ReserveLargePageHeap(kLargePageReserve);
    // A save interrupted by Ctrl-C or a kill leaves no temporary file behind.
    RemoveTempFilesOnTermination();
    CliArgs args(arguments.begin() + 1, arguments.end());
    return verb->run(args);
}

}  // namespace

int main(int argc, char** argv) {
    // The same bytes out on every system: no line ends rewritten on the way.
    UseBinaryStandardStreams();
    // Whatever the verb, output that could not be written fails the run.
    return FinishStandardOutput(RunVerb(ProgramArguments(argc, argv)));
}
