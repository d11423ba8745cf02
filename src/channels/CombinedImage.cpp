#include "channels/CombinedImage.h"

#include <array>
#include <vector>

#include "channels/ChannelDifference.h"
#include "channels/TermMapping.h"

namespace {

struct TermGrids {
    CalibratedGrid first;
    CalibratedGrid second;
};

bool GridsOf(const ChannelTerm& term, const CChannelSet& channels, int width, int height,
             TermGrids& grids, std::string& problem) {
    for (int code : ChannelsOf(term)) {
        const CGeoImage* product = channels.Channel(code);
        if (product == nullptr || product->Calibrated().Empty()) {
            problem = "缺少" + ShortNameOfChannel(code) + "通道";
            return false;
        }
        const CalibratedGrid grid = product->Calibrated();
        if (grid.width != width || grid.height != height) {
            problem = "通道文件 " + channels.PathOf(code) + " 的大小与其他通道不同";
            return false;
        }
        (code == term.first ? grids.first : grids.second) = grid;
    }
    return true;
}

using ColourRows = std::array<const std::uint8_t*, 3>;

// One row of the composite: blue, green and red of each pixel.
void MapPixels(const std::uint8_t* __restrict red, const std::uint8_t* __restrict green,
               const std::uint8_t* __restrict blue, const ColourRows& first,
               const ColourRows& second, int width, std::uint8_t* __restrict out) {
    const std::uint8_t* __restrict r1 = first[0];
    const std::uint8_t* __restrict r2 = second[0];
    const std::uint8_t* __restrict g1 = first[1];
    const std::uint8_t* __restrict g2 = second[1];
    const std::uint8_t* __restrict b1 = first[2];
    const std::uint8_t* __restrict b2 = second[2];
    for (int x = 0; x < width; ++x, out += 3) {
        out[0] = blue[b1[x] * kTermCounts + b2[x]];
        out[1] = green[g1[x] * kTermCounts + g2[x]];
        out[2] = red[r1[x] * kTermCounts + r2[x]];
    }
}

// The composite's three colours in one pass over the rows: each pixel's
// blue, green and red looked up by its count pairs.
bool MapColours(const RgbRecipe& recipe, const CChannelSet& channels, CDibImage& image,
                std::string& problem) {
    std::array<TermGrids, 3> grids;
    std::vector<CTermMapping> mappings;
    for (std::size_t c = 0; c < 3; ++c) {
        const RgbColour& colour = recipe.colours[c];
        if (!GridsOf(colour.term, channels, image.Width(), image.Height(), grids[c], problem)) {
            return false;
        }
        mappings.emplace_back(colour.term, grids[c].first.table, grids[c].second.table,
                              colour.range);
    }
    const std::uint8_t* red = mappings[0].PairTable();
    const std::uint8_t* green = mappings[1].PairTable();
    const std::uint8_t* blue = mappings[2].PairTable();
    std::uint8_t* bits = image.LockBitsToRewrite();
    const int width = image.Width();
    const int height = image.Height();
    for (int y = 0; y < height; ++y) {
        ColourRows first{};
        ColourRows second{};
        for (std::size_t c = 0; c < 3; ++c) {
            first[c] = grids[c].first.CountsRow(y);
            // A channel alone pairs its counts with themselves.
            second[c] =
                recipe.colours[c].term.IsDifference() ? grids[c].second.CountsRow(y) : first[c];
        }
        std::uint8_t* out = bits + static_cast<std::ptrdiff_t>(image.Stride()) * (height - 1 - y);
        MapPixels(red, green, blue, first, second, width, out);
    }
    return true;
}

// Writes the term's bytes into every pixel of the image, at offset within
// each pixel of step bytes; the image's rows lie bottom-up.
bool MapTerm(const RgbColour& colour, const CChannelSet& channels, CDibImage& image, int offset,
             int step, std::string& problem) {
    TermGrids grids;
    if (!GridsOf(colour.term, channels, image.Width(), image.Height(), grids, problem)) {
        return false;
    }
    const CTermMapping mapping(colour.term, grids.first.table, grids.second.table, colour.range);
    std::uint8_t* bits = image.LockBitsToRewrite();
    const int height = image.Height();
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = bits + static_cast<std::ptrdiff_t>(image.Stride()) * (height - 1 - y);
        mapping.MapRow(grids.first.CountsRow(y),
                       colour.term.IsDifference() ? grids.second.CountsRow(y) : nullptr,
                       image.Width(), row + offset, step);
    }
    return true;
}

// The title's faces have no minus sign (U+2212); the full-width hyphen
// (U+FF0D) that every CJK face has reads the same.
std::string TitleName(std::string name) {
    const std::string minus = "\u2212";
    for (std::size_t at = name.find(minus); at != std::string::npos; at = name.find(minus, at)) {
        name.replace(at, minus.size(), "\uFF0D");
    }
    return name;
}

CombinedPicture PictureOf(const Combination& combination) {
    CombinedPicture picture;
    picture.name = TitleName(combination.recipe.name);
    picture.difference = combination.difference;
    if (combination.difference) {
        const ValueRange& range = combination.recipe.colours[0].range;
        for (int count = 0; count < kTermCounts; ++count) {
            picture.legendValues.push_back(range.low +
                                           (range.high - range.low) * count / (kTermCounts - 1));
        }
        picture.legendUnit = "K";
    }
    return picture;
}

}  // namespace

bool MakeCombinedImage(const Combination& combination, const CChannelSet& channels,
                       CDibImage& image, CombinedPicture& picture, std::string& problem) {
    const std::vector<int> codes = ChannelsOf(combination);
    const CGeoImage* first = codes.empty() ? nullptr : channels.Channel(codes.front());
    if (first == nullptr) {
        problem = "缺少组合所需的通道";
        return false;
    }
    const ProductDescription& description = first->Description();
    CDibImage made;
    if (!made.CreateBlank(description.width, description.height, combination.difference ? 8 : 24)) {
        problem = "内存不足,不能创建组合图像";
        return false;
    }
    if (combination.difference) {
        if (!MapTerm(combination.recipe.colours[0], channels, made, 0, 1, problem) ||
            !made.SetColorTable(DivergingColours())) {
            return false;
        }
    } else if (!MapColours(combination.recipe, channels, made, problem)) {
        return false;
    }
    image = std::move(made);
    picture = PictureOf(combination);
    return true;
}
