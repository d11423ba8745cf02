#pragma once
// The picture options of the command line (palette, layers, region,
// precipitation, NWP overlays, legend) that render and animate share, and
// their parsing.

#include <cstddef>
#include <string>
#include <vector>

#include "cli/CliVerbs.h"
#include "compose/CompositionLayers.h"
#include "nwp/NwpSettings.h"
#include "platform/DataPaths.h"

// The usage text of the picture options, for the verbs' usage lines.
extern const char* const kPictureOptionsUsage;

struct PictureOptions {
    std::string palette;  // a name of the list or a path; empty: the image's own table
    CompositionLayers layers;
    int region = 0;
    std::string lut;  // threshold folder of the estimate; empty: the data folder's lut
    std::vector<std::string> nwpFiles;  // overlays in the order given
    NwpRenderOptions nwp;
    // A picture of several channels of the file's observation instead of
    // the file's own: a recipe's key or path, or a difference ("split",
    // "wv"); at most one of them.
    std::string rgb;
    std::string difference;
};

enum class OptionParse {
    kNotPictureOption,
    kTaken,  // the option (and its value) was taken; i is on its last word
    kBad,    // error says what is wrong
};

// The name (GBK, as stored) of the region file's entry index, for the title;
// empty when there is none. A region file that cannot be used is said once.
std::string RegionName(const CDataPaths& paths, int index);

// Takes args[i] when it is a picture option, with its value.
OptionParse ParsePictureOption(const CliArgs& args, std::size_t& i, PictureOptions& options,
                               std::string& error);
