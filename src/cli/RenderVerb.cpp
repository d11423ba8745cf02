// kelvra-cli render: opens a file as the document does, composes the picture
// as the view does and saves it.

#ifdef KELVRA_HAVE_RENDER

#include <QImage>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "cli/CliVerbs.h"
#include "convection/CConvectionCache.h"
#include "geo/RegionFile.h"
#include "image/CDibImage.h"
#include "image/OpenImageFile.h"
#include "image/PaletteFile.h"
#include "nwp/CNwpOverlay.h"
#include "nwp/NwpSettings.h"
#include "platform/DataPaths.h"
#include "platform/Message.h"
#include "product/CGeoImage.h"
#include "render/CGuiSession.h"
#include "render/CQtPicture.h"
#include "render/DibQImage.h"

namespace {

constexpr const char* kVerb = "render";
constexpr const char* kOpenFailed = "打开文档失败。";
constexpr const char* kSaveFailed = "保存文档失败。";
constexpr const char* kReadFailed = "获取图像文件描述信息失败";

const char* const kPaletteNames[] = {"gray1",  "gray2",  "gray3",  "grayv",
                                     "color1", "color2", "color3", "colorv"};

struct RenderOptions {
    std::string input;
    std::string output;
    std::string palette;  // a name of the list or a path; empty: the image's own table
    CompositionLayers layers;
    int region = 0;
    std::string lut;  // threshold folder of the estimate; empty: the data folder's lut
    std::vector<std::string> nwpFiles;  // overlays in the order given
    NwpRenderOptions nwp;
};

bool ParseIndex(const std::string& text, int& value) {
    char* end = nullptr;
    const long parsed = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || parsed < 0 || parsed > 1000000) {
        return false;
    }
    value = static_cast<int>(parsed);
    return true;
}

// Returns an empty string on success, else what is wrong.
std::string ParseRenderArgs(const CliArgs& args, RenderOptions& options) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (IsNwpRenderOption(arg)) {
            std::string error;
            if (!hasValue || !ParseNwpRenderOption(arg, args[++i], options.nwp, error)) {
                return hasValue ? error : "missing value after " + arg;
            }
        } else if (arg == "-o" || arg == "--palette" || arg == "--region" || arg == "--lut" ||
                   arg == "--nwp") {
            if (!hasValue) {
                return "missing value after " + arg;
            }
            const std::string& value = args[++i];
            if (arg == "-o") {
                options.output = value;
            } else if (arg == "--palette") {
                options.palette = value;
            } else if (arg == "--lut") {
                options.lut = value;
            } else if (arg == "--nwp") {
                options.nwpFiles.push_back(value);
            } else if (!ParseIndex(value, options.region)) {
                return "bad region index '" + value + "'";
            }
        } else if (arg == "--no-map") {
            options.layers.m_bMap = 0;
        } else if (arg == "--provinces") {
            options.layers.m_bProvinces = 1;
        } else if (arg == "--no-grid") {
            options.layers.m_bGrid = 0;
        } else if (arg == "--no-title") {
            options.layers.m_bTitle = 0;
        } else if (arg == "--isotherms") {
            options.layers.m_bIsotherms = 1;
        } else if (arg == "--precip") {
            options.layers.m_nDisplayMode = kDisplayPrecipitation;
        } else if (arg == "--legend") {
            options.layers.m_bLegend = 1;
        } else if (arg == "--cells") {
            options.layers.m_bCells = 1;
        } else if (!arg.empty() && arg[0] == '-') {
            return "unknown option '" + arg + "'";
        } else if (options.input.empty()) {
            options.input = arg;
        } else {
            return "more than one input file";
        }
    }
    if (options.input.empty()) {
        return "no input file";
    }
    if (options.output.empty()) {
        return "no output file (-o OUT)";
    }
    return std::string();
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

// Data files the picture needed but could not use are named on stderr, once
// each: the picture is still made, but never as a silent success.
std::shared_ptr<CDataFileNotices> StderrNotices() {
    return std::make_shared<CDataFileNotices>([](const std::string& path) {
        std::fprintf(stderr, "kelvra-cli: data file missing or unusable: %s\n", path.c_str());
    });
}

// Each overlay reads its file once; its current settings then take the
// command's options. A file that cannot be read is an error here: the
// picture would silently lack what was asked for.
bool ReadOverlays(const RenderOptions& options, std::vector<CNwpOverlay>& overlays) {
    for (const std::string& path : options.nwpFiles) {
        CNwpOverlay overlay;
        DiamondError why{};
        if (!overlay.ReadFile(path, &why)) {
            std::fprintf(stderr, "kelvra-cli: NWP file '%s' refused: %s\n", path.c_str(),
                         DiamondErrorText(why));
            return false;
        }
        ApplyNwpRenderOptions(options.nwp, overlay.CurrentSettings());
        overlays.push_back(std::move(overlay));
    }
    return true;
}

}  // namespace

int RunRender(const CliArgs& args) {
    RenderOptions options;
    const std::string problem = ParseRenderArgs(args, options);
    if (!problem.empty()) {
        return UsageError(kVerb, problem);
    }
    CDataPaths paths = CDataPaths::FromCurrentDirectory();
    paths.SetNotices(StderrNotices());
    if (!options.palette.empty()) {
        options.layers.m_strPalette = PalettePath(options.palette, paths);
        options.layers.m_bPaletteOn = 1;
        // A palette asked for by name must be usable, or the picture is not
        // the one asked for.
        if (!CachedPaletteFile(paths.Cache(), options.layers.m_strPalette)) {
            std::fprintf(stderr, "kelvra-cli: palette '%s' cannot be read: %s\n",
                         options.palette.c_str(), options.layers.m_strPalette.c_str());
            return kExitFailed;
        }
    }

    // As the document opens a file: the product may fail (a plain picture has
    // none), the image may not.
    CGeoImage product;
    CDibImage image;
    const OpenedImageFile opened = OpenImageFile(options.input, product, image);
    if (!opened.productRead) {
        ShowMessage(kReadFailed);
    }
    if (!opened.imageLoaded) {
        std::fprintf(stderr, "%s\n", kOpenFailed);
        return kExitFailed;
    }

    CGuiSession session;
    // The picture is composed in memory that then becomes the saved image,
    // so the composed picture is never copied whole. A picture made here is
    // what the composition's rebuild would make; an image that has no
    // picture is left to the composition, which says so.
    std::vector<std::uint8_t> pictureBlock;
    QImage offscreen;
    if (HasDevicePicture(image)) {
        offscreen = MakeBlockPicture(pictureBlock, image.Width(), image.Height());
    }
    int recompose = offscreen.isNull() ? 1 : 0;
    CompositionScene scene = SceneOf(product, RegionName(paths, options.region), paths);
    scene.productPath = options.input;
    CPrecipEstimate precipitation(options.lut.empty() ? paths.ThresholdFolder() : options.lut);
    scene.precipitation = &precipitation;
    std::vector<CNwpOverlay> overlays;
    if (!ReadOverlays(options, overlays)) {
        return kExitFailed;
    }
    scene.overlays = &overlays;
    // The cells of a product that cannot have them are refused, as by the
    // cells verb: the picture would silently lack what was asked for.
    CConvectionCache convectionCache;
    ConvectionLayers convection;
    if (options.layers.m_bCells == 1) {
        std::string why;
        convection.cells = convectionCache.CellsOf(product, &why);
        if (convection.cells == nullptr) {
            std::fprintf(stderr, "%s\n", why.c_str());
            return kExitFailed;
        }
        scene.convection = &convection;
    }
    if (ComposePicture(image, scene, options.layers, recompose, offscreen) != 1) {
        return kExitFailed;
    }
    CDibImage picture;
    bool converted = false;
    if (IsBlockPicture(pictureBlock, offscreen)) {
        const int width = offscreen.width();
        const int height = offscreen.height();
        offscreen = QImage();
        converted = BlockPictureToImage(std::move(pictureBlock), width, height, picture);
    } else {
        converted = FromDeviceBitmap(picture, offscreen);
    }
    if (!converted || !picture.Save(options.output)) {
        std::fprintf(stderr, "%s\n", kSaveFailed);
        return kExitFailed;
    }
    return kExitOk;
}

#endif  // KELVRA_HAVE_RENDER
