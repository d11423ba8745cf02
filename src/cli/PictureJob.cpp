#ifdef KELVRA_HAVE_RENDER

#include "cli/PictureJob.h"

#include <cstdio>
#include <cstdlib>
#include <utility>

#include "convection/ConvectionOverlay.h"
#include "geo/RegionFile.h"
#include "image/OpenImageFile.h"
#include "image/PaletteFile.h"
#include "nwp/NwpOverlayColours.h"
#include "platform/Message.h"
#include "product/ProductReadFailure.h"
#include "render/CQtPicture.h"

const char* const kPictureOptionsUsage =
    "[--palette NAME|PATH] [--no-map] [--provinces] [--no-grid] [--no-title] [--isotherms] "
    "[--cells] [--legend] [--precip [--lut DIR]] [--nwp FILE]... [--nwp-interval X] [--nwp-color "
    "RRGGBB] "
    "[--nwp-style 0-4] [--nwp-label-height N] [--nwp-decimals N] [--region N]";

namespace {

constexpr const char* kOpenFailed = "打开文档失败。";

const char* const kPaletteNames[] = {"gray1",  "gray2",  "gray3",  "grayv",
                                     "color1", "color2", "color3", "colorv"};

bool ParseIndex(const std::string& text, int& value) {
    char* end = nullptr;
    const long parsed = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || parsed < 0 || parsed > 1000000) {
        return false;
    }
    value = static_cast<int>(parsed);
    return true;
}

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

// One of the eight prepared palettes by name, or any palette file by path.
std::string PalettePath(const std::string& palette, const CDataPaths& paths) {
    for (const char* name : kPaletteNames) {
        if (palette == name) {
            return paths.DataFile(palette + ".lut");
        }
    }
    return palette;
}

// Data files the picture needed but could not use are named on stderr, once
// each: the picture is still made, but never as a silent success.
std::shared_ptr<CDataFileNotices> StderrNotices() {
    return std::make_shared<CDataFileNotices>([](const std::string& path) {
        std::fprintf(stderr, "kelvra-cli: data file missing or unusable: %s\n", path.c_str());
    });
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
                        arg == "--lut" || arg == "--nwp";
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
    } else if (!ParseIndex(value, options.region)) {
        error = "bad region index '" + value + "'";
        return OptionParse::kBad;
    }
    return OptionParse::kTaken;
}

CPictureJob::CPictureJob() : m_paths(CDataPaths::FromCurrentDirectory()) {
    m_paths.SetNotices(StderrNotices());
}

bool CPictureJob::Prepare(const PictureOptions& options) {
    m_options = options;
    if (!m_options.palette.empty()) {
        m_options.layers.m_strPalette = PalettePath(m_options.palette, m_paths);
        m_options.layers.m_bPaletteOn = 1;
        // A palette asked for by name must be usable, or the picture is not
        // the one asked for.
        if (!CachedPaletteFile(m_paths.Cache(), m_options.layers.m_strPalette)) {
            std::fprintf(stderr, "kelvra-cli: palette '%s' cannot be read: %s\n",
                         m_options.palette.c_str(), m_options.layers.m_strPalette.c_str());
            return false;
        }
    }
    m_regionName = RegionName(m_paths, m_options.region);
    m_pPrecipitation = std::make_unique<CPrecipEstimate>(
        m_options.lut.empty() ? m_paths.ThresholdFolder() : m_options.lut);
    // Each overlay reads its file once; its current settings then take the
    // command's options. A file that cannot be read is an error here: the
    // picture would silently lack what was asked for.
    m_overlays.clear();
    for (const std::string& path : m_options.nwpFiles) {
        CNwpOverlay overlay;
        DiamondError why{};
        if (!overlay.ReadFile(path, &why)) {
            std::fprintf(stderr, "kelvra-cli: NWP file '%s' refused: %s\n", path.c_str(),
                         DiamondErrorText(why));
            return false;
        }
        TakeNextOverlayColour(m_overlays, overlay);
        ApplyNwpRenderOptions(m_options.nwp, overlay.CurrentSettings());
        m_overlays.push_back(std::move(overlay));
    }
    return true;
}

bool CPictureJob::Open(const std::string& path, CGeoImage& product, CDibImage& image) const {
    // As the document opens a file: the product may fail (a plain picture has
    // none), the image may not.
    const OpenedImageFile opened = OpenImageFile(path, product, image);
    if (!opened.productRead) {
        ShowMessage(ProductReadFailure(opened.productRefusal));
    }
    if (!opened.imageLoaded) {
        std::fprintf(stderr, "%s\n", kOpenFailed);
        return false;
    }
    return true;
}

int CPictureJob::Compose(const std::string& path, const CGeoImage& product, CDibImage& image,
                         int& recompose, QImage& offscreen, bool keepLayers) {
    CompositionScene scene = SceneOf(product, m_regionName, m_paths);
    scene.productPath = path;
    scene.precipitation = m_pPrecipitation.get();
    scene.overlays = &m_overlays;
    scene.layerMemory = keepLayers ? &m_layerMemory : nullptr;
    // The cells of a product that cannot have them are refused, as by the
    // cells verb: the picture would silently lack what was asked for.
    ConvectionLayers convection;
    if (m_options.layers.m_bCells == 1) {
        std::string why;
        convection.cells = m_convection.CellsOf(product, &why);
        if (convection.cells == nullptr) {
            std::fprintf(stderr, "%s\n", why.c_str());
            return 0;
        }
        scene.convection = &convection;
    }
    return ComposePicture(image, scene, m_options.layers, recompose, offscreen);
}

#endif  // KELVRA_HAVE_RENDER
