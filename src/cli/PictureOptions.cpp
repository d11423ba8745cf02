#include "cli/PictureOptions.h"

#include <memory>

#include "channels/ChannelDifference.h"
#include "cli/IntegerArg.h"
#include "geo/RegionFile.h"

const char* const kPictureOptionsUsage =
    "[--palette NAME|PATH] [--no-map] [--provinces] [--no-grid] [--no-title] [--isotherms] "
    "[--cells] [--legend] [--precip [--lut DIR]] [--nwp FILE]... [--nwp-interval X] [--nwp-color "
    "RRGGBB] "
    "[--nwp-style 0-4] [--nwp-label-height N] [--nwp-decimals N] [--region N] "
    "[--rgb NAME|PATH | --difference split|wv]";

namespace {

// Far beyond any region file; only keeps the index an int.
constexpr int kMaxRegionIndex = 1000000;

// The switches without a value; false when arg is none of them.
bool ParseLayerSwitch(const std::string& arg, CompositionLayers& layers) {
    if (arg == "--no-map") {
        layers.m_bMap = 0;
    } else if (arg == "--provinces") {
        layers.m_bProvinces = 1;
    } else if (arg == "--no-grid") {
        layers.m_bGrid = 0;
    } else if (arg == "--no-title") {
        layers.m_bTitle = 0;
    } else if (arg == "--isotherms") {
        layers.m_bIsotherms = 1;
    } else if (arg == "--precip") {
        layers.m_nDisplayMode = kDisplayPrecipitation;
    } else if (arg == "--legend") {
        layers.m_bLegend = 1;
    } else if (arg == "--cells") {
        layers.m_bCells = 1;
    } else {
        return false;
    }
    return true;
}

// One combination a picture: a second one would silently replace the first.
OptionParse ParseCombinationOption(const std::string& arg, const std::string& value,
                                   PictureOptions& options, std::string& error) {
    DifferenceKind kind{};
    if (!options.rgb.empty() || !options.difference.empty()) {
        error = "only one of --rgb and --difference, once";
        return OptionParse::kBad;
    }
    if (arg == "--difference" && !ParseDifferenceKind(value, kind)) {
        error = "bad difference '" + value + "' (split or wv)";
        return OptionParse::kBad;
    }
    (arg == "--rgb" ? options.rgb : options.difference) = value;
    return OptionParse::kTaken;
}

}  // namespace

std::string RegionName(const CDataPaths& paths, int index) {
    const std::string path = paths.DataFile("region.txt");
    const std::shared_ptr<const RegionFileContent> content = CachedRegionFile(paths.Cache(), path);
    if (!content || !content->complete) {
        paths.ReportUnusable(path);
    }
    if (!content || index < 0 || index >= static_cast<int>(content->records.size())) {
        return std::string();
    }
    return content->records[static_cast<std::size_t>(index)].name;
}

OptionParse ParsePictureOption(const CliArgs& args, std::size_t& i, PictureOptions& options,
                               std::string& error) {
    const std::string& arg = args[i];
    if (ParseLayerSwitch(arg, options.layers)) {
        return OptionParse::kTaken;
    }
    const bool valued = IsNwpRenderOption(arg) || arg == "--palette" || arg == "--region" ||
                        arg == "--lut" || arg == "--nwp" || arg == "--rgb" || arg == "--difference";
    if (!valued) {
        return OptionParse::kNotPictureOption;
    }
    if (i + 1 >= args.size()) {
        error = "missing value after " + arg;
        return OptionParse::kBad;
    }
    const std::string& value = args[++i];
    if (IsNwpRenderOption(arg)) {
        return ParseNwpRenderOption(arg, value, options.nwp, error) ? OptionParse::kTaken
                                                                    : OptionParse::kBad;
    }
    if (arg == "--palette") {
        options.palette = value;
    } else if (arg == "--lut") {
        options.lut = value;
    } else if (arg == "--nwp") {
        options.nwpFiles.push_back(value);
    } else if (arg == "--rgb" || arg == "--difference") {
        return ParseCombinationOption(arg, value, options, error);
    } else if (!ParseIntegerArg(value, 0, kMaxRegionIndex, options.region)) {
        error = "bad region index '" + value + "'";
        return OptionParse::kBad;
    }
    return OptionParse::kTaken;
}
