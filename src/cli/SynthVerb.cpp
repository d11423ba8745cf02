// kelvra-cli synth: writes one synthetic AWX product.

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "cli/CliVerbs.h"
#include "platform/ReplacementFile.h"
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
    "  --seed N               weather layout (default 1)\n"
    "  --no-calibration       leave the calibration block out\n";

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

std::optional<long> ParseInteger(const std::string& text, long lo, long hi) {
    char* end = nullptr;
    const long value = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || value < lo || value > hi) {
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

bool ParseSize(const std::string& text, AwxWriterOptions& o) {
    const std::size_t at = text.find('x');
    if (at == std::string::npos) {
        return false;
    }
    const auto w = ParseInteger(text.substr(0, at), 1, 65535);
    const auto h = ParseInteger(text.substr(at + 1), 1, 65535);
    if (!w || !h) {
        return false;
    }
    o.width = static_cast<int>(*w);
    o.height = static_cast<int>(*h);
    return true;
}

bool ParseTime(const std::string& text, AwxWriterOptions& o) {
    if (text.size() != 12) {
        return false;
    }
    const auto year = ParseInteger(text.substr(0, 4), 1900, 9999);
    const auto month = ParseInteger(text.substr(4, 2), 1, 12);
    const auto day = ParseInteger(text.substr(6, 2), 1, 31);
    const auto hour = ParseInteger(text.substr(8, 2), 0, 23);
    const auto minute = ParseInteger(text.substr(10, 2), 0, 59);
    if (!year || !month || !day || !hour || !minute) {
        return false;
    }
    o.year = static_cast<int>(*year);
    o.month = static_cast<int>(*month);
    o.day = static_cast<int>(*day);
    o.hour = static_cast<int>(*hour);
    o.minute = static_cast<int>(*minute);
    return true;
}

// The explicitly given options, applied over the projection's defaults.
struct Overrides {
    std::optional<std::string> center, resolution, stdlat;
};

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
            const auto code = ParseInteger(value, 0, 5);
            ok = code.has_value();
            o.projection = static_cast<int>(code.value_or(1));
        } else if (arg == "--size") {
            ok = ParseSize(value, o);
        } else if (arg == "--channel") {
            const auto code = ParseInteger(value, 1, 5);
            ok = code.has_value();
            o.channel = static_cast<int>(code.value_or(1));
        } else if (arg == "--time") {
            ok = ParseTime(value, o);
        } else if (arg == "--edition") {
            ok = value == "SAT2004" || value == "SAT96";
            o.edition = value;
        } else if (arg == "--seed") {
            const auto seed = ParseInteger(value, 0, 0x7fffffffL);
            ok = seed.has_value();
            o.seed = static_cast<std::uint32_t>(seed.value_or(1));
        } else if (arg == "--center") {
            x.center = value;
        } else if (arg == "--resolution") {
            x.resolution = value;
        } else if (arg == "--stdlat") {
            x.stdlat = value;
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
    return "";
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
    if (!SaveProduct(out, MakeAwxProduct(options))) {
        std::fprintf(stderr, "kelvra-cli: cannot write %s\n", out.c_str());
        return kExitFailed;
    }
    return kExitOk;
}
