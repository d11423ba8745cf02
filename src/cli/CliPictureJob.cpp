#include "cli/CliPictureJob.h"

#include <cstdio>
#include <memory>
#include <utility>

#include "channels/ChannelDifference.h"
#include "channels/RgbRecipeList.h"
#include "compose/RasterPictureFile.h"
#include "image/OpenImageFile.h"
#include "image/PaletteFile.h"
#include "nwp/NwpOverlayColours.h"
#include "platform/Message.h"
#include "product/ProductReadFailure.h"

namespace {

constexpr const char* kOpenFailed = "打开文档失败。";

const char* const kPaletteNames[] = {"gray1",  "gray2",  "gray3",  "grayv",
                                     "color1", "color2", "color3", "colorv"};

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
CDataPaths PathsWithStderrNotices() {
    CDataPaths paths = CDataPaths::FromCurrentDirectory();
    paths.SetNotices(std::make_shared<CDataFileNotices>([](const std::string& path) {
        std::fprintf(stderr, "kelvra-cli: data file missing or unusable: %s\n", path.c_str());
    }));
    return paths;
}

}  // namespace

bool CCliPictureJob::PrepareCombination(const PictureOptions& options, const CDataPaths& paths) {
    m_bCombine = !options.rgb.empty() || !options.difference.empty();
    DifferenceKind kind{};
    if (ParseDifferenceKind(options.difference, kind)) {
        m_combination = DifferenceCombination(kind);
    } else if (m_bCombine) {
        std::string problem;
        m_combination = Combination{};
        if (!ResolveRgbRecipe(options.rgb, RgbRecipeFolders(paths), m_combination.recipe,
                              problem)) {
            std::fprintf(stderr, "kelvra-cli: %s\n", problem.c_str());
            return false;
        }
    }
    return true;
}

CCliPictureJob::CCliPictureJob() : m_job(PathsWithStderrNotices()), m_text(m_job.Paths()) {
    m_job.KeepLayers(false);
}

bool CCliPictureJob::Prepare(const PictureOptions& options) {
    const CDataPaths& paths = m_job.Paths();
    if (!PrepareCombination(options, paths)) {
        return false;
    }
    CompositionLayers& layers = m_job.Layers();
    layers = options.layers;
    if (!options.palette.empty()) {
        layers.m_strPalette = PalettePath(options.palette, paths);
        layers.m_bPaletteOn = 1;
        // A palette asked for by name must be usable, or the picture is not
        // the one asked for.
        if (!CachedPaletteFile(paths.Cache(), layers.m_strPalette)) {
            std::fprintf(stderr, "kelvra-cli: palette '%s' cannot be read: %s\n",
                         options.palette.c_str(), layers.m_strPalette.c_str());
            return false;
        }
    }
    m_job.SetRegionName(RegionName(paths, options.region));
    m_job.Precipitation().SetThresholdFolder(options.lut.empty() ? paths.ThresholdFolder()
                                                                 : options.lut);
    // Each overlay reads its file once; its current settings then take the
    // command's options. A file that cannot be read is an error here: the
    // picture would silently lack what was asked for.
    std::vector<CNwpOverlay>& overlays = m_job.Overlays();
    overlays.clear();
    for (const std::string& path : options.nwpFiles) {
        CNwpOverlay overlay;
        DiamondError why{};
        if (!overlay.ReadFile(path, &why)) {
            std::fprintf(stderr, "kelvra-cli: NWP file '%s' refused: %s\n", path.c_str(),
                         DiamondErrorText(why));
            return false;
        }
        TakeNextOverlayColour(overlays, overlay);
        ApplyNwpRenderOptions(options.nwp, overlay.CurrentSettings());
        overlays.push_back(std::move(overlay));
    }
    return true;
}

bool CCliPictureJob::Open(const std::string& path, CGeoImage& product, CDibImage& image) {
    // As the document opens a file: the product may fail (a plain picture has
    // none and is not told so), the image may not.
    const OpenedImageFile opened = OpenImageFile(path, product, image);
    if (!opened.productRead && opened.productExpected) {
        ShowMessage(ProductReadFailure(opened.productRefusal));
    }
    if (!opened.imageLoaded) {
        std::fprintf(stderr, "%s\n", kOpenFailed);
        return false;
    }
    if (!m_bCombine) {
        return true;
    }
    std::string problem;
    if (!m_combiner.Make(m_combination, path, {}, image, m_combined, problem)) {
        std::fprintf(stderr, "kelvra-cli: %s: %s\n", path.c_str(), problem.c_str());
        return false;
    }
    product = *m_combiner.Subject();
    return true;
}

PictureSubject CCliPictureJob::Drawn(const PictureSubject& subject) const {
    PictureSubject drawn = subject;
    if (m_bCombine) {
        drawn.path = m_combiner.SubjectPath();
        drawn.combined = &m_combined;
    }
    return drawn;
}

bool CCliPictureJob::CellsAllowed(const PictureSubject& subject) {
    if (m_job.Layers().m_bCells != 1) {
        return true;
    }
    const std::string why = m_job.ConvectionRefusal(subject, ConvectionLayer::kCells);
    if (!why.empty()) {
        std::fprintf(stderr, "%s\n", why.c_str());
        return false;
    }
    return true;
}

int CCliPictureJob::Compose(CDibImage& image, const PictureSubject& subject, int& recompose,
                            CRasterPicture& picture) {
    const PictureSubject drawn = Drawn(subject);
    if (!CellsAllowed(drawn)) {
        return 0;
    }
    return m_job.Compose(image, drawn, recompose, picture);
}

PictureSaveResult CCliPictureJob::Save(CDibImage& image, const PictureSubject& subject,
                                       const PictureTarget& target) {
    const PictureSubject drawn = Drawn(subject);
    if (!CellsAllowed(drawn)) {
        return PictureSaveResult::kNotComposed;
    }
    return ComposeAndSaveRaster(m_job, image, drawn, target, &m_text);
}
