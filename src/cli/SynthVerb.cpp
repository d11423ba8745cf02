// kelvra-cli synth: writes one synthetic AWX product.

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "cli/CliVerbs.h"
#include "cli/IntegerArg.h"
#include "platform/ReplacementFile.h"
#include "synth/AwxGridWriter.h"
#include "synth/AwxWriter.h"

namespace {

constexpr const char* kVerb = "synth";

constexpr const char* kHelp =
    "usage: kelvra-cli synth OUT [options]\n"
    "Writes a synthetic AWX product (cold cloud systems over a warm surface).\n"
    "  --projection CODE      0 disk, 1 equal lat/lon (default), 2 Mercator,\n"
    "                         3 Lambert, 4 polar stereographic, 5 Albers\n"
    "  --size WxH             image size in pixels (default 640x480)\n"
    "  --channel N            1 IR1 (default), 2 IR2, 3 water vapour, 4 IR3, 5 visible\n"
    "  --time YYYYMMDDHHMM    product time, UTC (default 202203311300)\n"
    "  --edition SAT2004|SAT96\n"
    "  --center LON,LAT       projection centre, degrees\n"
    "  --resolution R         degrees for equal lat/lon, km otherwise\n"
    "  --stdlat A,B           standard latitudes, degrees\n"
    "  --edges N,S,W,E        edge fields written instead of those the centre and\n"
    "                         resolution give, degrees\n"
    "  --seed N               weather layout (default 1)\n"
    "  --no-calibration       leave the calibration block out\n"
    "  --grid ELEMENT         write a grid product (category 3) of the element code\n"
    "                         instead (19 brightness temperature, 20 cloud amount, ...):\n"
    "                         --size is columns x rows, --center the grid's centre,\n"
    "                         --resolution its spacing in degrees\n"
    "  --bytes N              grid: bytes per value, 1 (default), 2 or 4\n"
    "  --base B --scale S     grid: value = (stored + B) / S (defaults 100 and 1)\n";

// Centre, resolution and standard latitudes that suit each projection.
void ApplyProjectionDefaults(AwxWriterOptions& o) {
    struct Defaults {
        double lon, lat, resolution, std1, std2;
    };
    static constexpr Defaults kTable[] = {
        {105.0, 0.0, 5.0, 0.0, 0.0},   {97.5, 27.5, 0.05, 30.0, 60.0},
        {110.0, 20.0, 5.0, 22.5, 0.0}, {110.0, 35.0, 5.0, 30.0, 60.0},
        {100.0, 60.0, 5.0, 60.0, 0.0}, {105.0, 35.0, 5.0, 25.0, 47.0},
    };
    const Defaults& d = kTable[o.projection];
    o.centerLon = d.lon;
    o.centerLat = d.lat;
    o.resolution = d.resolution;
    o.stdLat1 = d.std1;
    o.stdLat2 = d.std2;
}

std::optional<double> ParseReal(const std::string& text) {
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (text.empty() || *end != '\0') {
        return std::nullopt;
    }
    return value;
}

// "A<sep>B" as two reals.
bool ParsePair(const std::string& text, char sep, double& a, double& b) {
    const std::size_t at = text.find(sep);
    if (at == std::string::npos) {
        return false;
    }
    const auto first = ParseReal(text.substr(0, at));
    const auto second = ParseReal(text.substr(at + 1));
    if (!first || !second) {
        return false;
    }
    a = *first;
    b = *second;
    return true;
}

// A value written in hundredths must fit the header's 16-bit field.
bool FitsCenti(double value) {
    return value * 100.0 >= -32768.0 && value * 100.0 <= 32767.0;
}

// "N,S,W,E", each fitting its field.
bool ParseEdges(const std::string& text, AwxWriterOptions& o) {
    double values[4] = {};
    std::size_t start = 0;
    for (int k = 0; k < 4; ++k) {
        const std::size_t comma = k < 3 ? text.find(',', start) : text.size();
        if (comma == std::string::npos) {
            return false;
        }
        const auto value = ParseReal(text.substr(start, comma - start));
        if (!value || !FitsCenti(*value)) {
            return false;
        }
        values[k] = *value;
        start = comma + 1;
    }
    o.edges = AwxEdges{values[0], values[1], values[2], values[3]};
    return true;
}

bool ParseSize(const std::string& text, AwxWriterOptions& o) {
    const std::size_t at = text.find('x');
    if (at == std::string::npos) {
        return false;
    }
    int width = 0;
    int height = 0;
    if (!ParseIntegerArg(text.substr(0, at), 1, 65535, width) ||
        !ParseIntegerArg(text.substr(at + 1), 1, 65535, height)) {
        return false;
    }
    o.width = width;
    o.height = height;
    return true;
}

bool ParseTime(const std::string& text, AwxWriterOptions& o) {
    if (text.size() != 12) {
        return false;
    }
    AwxWriterOptions read = o;
    if (!ParseIntegerArg(text.substr(0, 4), 1900, 9999, read.year) ||
        !ParseIntegerArg(text.substr(4, 2), 1, 12, read.month) ||
        !ParseIntegerArg(text.substr(6, 2), 1, 31, read.day) ||
        !ParseIntegerArg(text.substr(8, 2), 0, 23, read.hour) ||
        !ParseIntegerArg(text.substr(10, 2), 0, 59, read.minute)) {
        return false;
    }
    o = read;
    return true;
}

// The explicitly given options, applied over the projection's defaults.
struct Overrides {
    std::optional<std::string> center, resolution, stdlat, edges;
    std::optional<long> grid, bytes, base, scale;
};

// A grid option's value: an integer of the header's 16-bit field.
bool ParseGridOption(const std::string& arg, const std::string& value, Overrides& x) {
    int number = 0;
    if (!ParseIntegerArg(value, -32768, 32767, number)) {
        return false;
    }
    if (arg == "--grid") {
        x.grid = number;
    } else if (arg == "--bytes") {
        x.bytes = number;
    } else if (arg == "--base") {
        x.base = number;
    } else {
        x.scale = number;
    }
    return true;
}

// Returns an error message, or "" when every option was understood.
std::string ParseOptions(const CliArgs& args, AwxWriterOptions& o, Overrides& x, std::string& out) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--no-calibration") {
            o.calibration = false;
            continue;
        }
        if (arg.rfind("--", 0) != 0) {
            if (!out.empty()) {
                return "unexpected argument '" + arg + "'";
            }
            out = arg;
            continue;
        }
        if (i + 1 >= args.size()) {
            return "option " + arg + " needs a value";
        }
        const std::string& value = args[++i];
        bool ok = true;
        if (arg == "--projection") {
            ok = ParseIntegerArg(value, 0, 5, o.projection);
        } else if (arg == "--size") {
            ok = ParseSize(value, o);
        } else if (arg == "--channel") {
            ok = ParseIntegerArg(value, 1, 5, o.channel);
        } else if (arg == "--time") {
            ok = ParseTime(value, o);
        } else if (arg == "--edition") {
            ok = value == "SAT2004" || value == "SAT96";
            o.edition = value;
        } else if (arg == "--seed") {
            int seed = 0;
            ok = ParseIntegerArg(value, 0, 0x7fffffff, seed);
            o.seed = static_cast<std::uint32_t>(seed);
        } else if (arg == "--center") {
            x.center = value;
        } else if (arg == "--resolution") {
            x.resolution = value;
        } else if (arg == "--stdlat") {
            x.stdlat = value;
        } else if (arg == "--edges") {
            x.edges = value;
        } else if (arg == "--grid" || arg == "--bytes" || arg == "--base" || arg == "--scale") {
            ok = ParseGridOption(arg, value, x);
        } else {
            return "unknown option '" + arg + "'";
        }
        if (!ok) {
            return "bad value '" + value + "' for " + arg;
        }
    }
    return out.empty() ? "no output file given" : "";
}

std::string ApplyOverrides(const Overrides& x, AwxWriterOptions& o) {
    if (x.center && !(ParsePair(*x.center, ',', o.centerLon, o.centerLat) &&
                      FitsCenti(o.centerLon) && FitsCenti(o.centerLat))) {
        return "bad value '" + *x.center + "' for --center";
    }
    if (x.resolution) {
        const auto r = ParseReal(*x.resolution);
        if (!r || *r <= 0.0 || !FitsCenti(*r)) {
            return "bad value '" + *x.resolution + "' for --resolution";
        }
        o.resolution = *r;
    }
    if (x.stdlat && !(ParsePair(*x.stdlat, ',', o.stdLat1, o.stdLat2) && FitsCenti(o.stdLat1) &&
                      FitsCenti(o.stdLat2))) {
        return "bad value '" + *x.stdlat + "' for --stdlat";
    }
    if (x.edges && !ParseEdges(*x.edges, o)) {
        return "bad value '" + *x.edges + "' for --edges";
    }
    if (x.grid && o.projection != 1) {
        return "--grid products are equal latitude/longitude (projection 1)";
    }
    if ((x.bytes || x.base || x.scale) && !x.grid) {
        return "--bytes, --base and --scale go with --grid";
    }
    if (x.bytes && *x.bytes != 1 && *x.bytes != 2 && *x.bytes != 4) {
        return "--bytes wants 1, 2 or 4";
    }
    return "";
}

// The grid product of the options: the image's size, time, satellite and
// edition, the centre and resolution placing the grid.
AwxGridWriterOptions GridOptionsOf(const AwxWriterOptions& o, const Overrides& x) {
    AwxGridWriterOptions g;
    g.element = static_cast<int>(*x.grid);
    g.bytesPerValue = static_cast<int>(x.bytes.value_or(1));
    g.baseValue = static_cast<int>(x.base.value_or(100));
    g.scaleFactor = static_cast<int>(x.scale.value_or(1));
    g.year = o.year;
    g.month = o.month;
    g.day = o.day;
    g.hour = o.hour;
    g.minute = o.minute;
    g.columns = o.width;
    g.rows = o.height;
    g.spacing = o.resolution;
    g.leftLon = o.centerLon - 0.5 * (o.width - 1) * o.resolution;
    g.topLat = o.centerLat + 0.5 * (o.height - 1) * o.resolution;
    g.satelliteName = o.satelliteName;
    g.edition = o.edition;
    g.seed = o.seed;
    return g;
}

// Saved as every other output is: the old file stays until the new one is
// whole, so a full disk leaves no empty or cut product.
bool SaveProduct(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    CReplacementFile output(path);
    std::FILE* file = output.Open();
    return file != nullptr && std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size() &&
           output.Commit();
}

}  // namespace

int RunSynth(const CliArgs& args) {
    for (const std::string& arg : args) {
        if (arg == "--help" || arg == "-h") {
            std::fputs(kHelp, stdout);
            return kExitOk;
        }
    }
    AwxWriterOptions options;
    options.width = 640;
    options.height = 480;
    Overrides overrides;
    std::string out;
    std::string error = ParseOptions(args, options, overrides, out);
    if (error.empty()) {
        ApplyProjectionDefaults(options);
        error = ApplyOverrides(overrides, options);
    }
    if (!error.empty()) {
        return UsageError(kVerb, error);
    }
    const bool written =
        SaveProduct(out, overrides.grid ? MakeAwxGridProduct(GridOptionsOf(options, overrides))
                                        : MakeAwxProduct(options));
    if (!written) {
        std::fprintf(stderr, "kelvra-cli: cannot write %s\n", out.c_str());
        return kExitFailed;
    }
    return kExitOk;
}
