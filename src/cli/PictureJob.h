#pragma once
// What render and animate share: the picture options of the command line
// (palette, layers, region, precipitation, NWP overlays, legend) and the
// composition of a file's picture with them, as the document opens a file
// and the view composes it.

#ifdef KELVRA_HAVE_RENDER

#include <QImage>
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "analysis/CPrecipEstimate.h"
#include "cli/CliVerbs.h"
#include "compose/CLayerMemory.h"
#include "compose/CompositionLayers.h"
#include "convection/CConvectionCache.h"
#include "image/CDibImage.h"
#include "nwp/CNwpOverlay.h"
#include "nwp/NwpSettings.h"
#include "platform/DataPaths.h"
#include "product/CGeoImage.h"

// The usage text of the picture options, for the verbs' usage lines.
extern const char* const kPictureOptionsUsage;

struct PictureOptions {
    std::string palette;  // a name of the list or a path; empty: the image's own table
    CompositionLayers layers;
    int region = 0;
    std::string lut;  // threshold folder of the estimate; empty: the data folder's lut
    std::vector<std::string> nwpFiles;  // overlays in the order given
    NwpRenderOptions nwp;
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

class CPictureJob {
public:
    CPictureJob();
    CPictureJob(const CPictureJob&) = delete;
    CPictureJob& operator=(const CPictureJob&) = delete;

    // Resolves the palette and reads the NWP files; false, said on stderr,
    // when the palette asked for or an NWP file cannot be used.
    bool Prepare(const PictureOptions& options);
    // Opens path as the document does; false, said on stderr, when there is
    // no image (a missing product is said and the image kept).
    bool Open(const std::string& path, CGeoImage& product, CDibImage& image) const;
    // Composes the opened file's picture into offscreen (see ComposePicture).
    // With keepLayers, layers that do not change from one picture to the next
    // are kept between calls, as the view keeps them.
    int Compose(const std::string& path, const CGeoImage& product, CDibImage& image, int& recompose,
                QImage& offscreen, bool keepLayers = false);

private:
    PictureOptions m_options;
    CDataPaths m_paths;
    std::string m_regionName;
    std::unique_ptr<CPrecipEstimate> m_pPrecipitation;
    std::vector<CNwpOverlay> m_overlays;
    CLayerMemory m_layerMemory;
    // Cells are found once per product (the animation's frames differ).
    CConvectionCache m_convection;
};

#endif  // KELVRA_HAVE_RENDER
