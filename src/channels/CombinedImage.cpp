#include "channels/CombinedImage.h"

#include "channels/ChannelDifference.h"
#include "channels/TermMapping.h"

namespace {

constexpr int kCounts = 256;
// In a 24-bit row the colours lie blue, green, red.
constexpr int kColourOffset[] = {2, 1, 0};

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
        for (int count = 0; count < kCounts; ++count) {
            picture.legendValues.push_back(range.low +
                                           (range.high - range.low) * count / (kCounts - 1));
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
    } else {
        for (std::size_t c = 0; c < 3; ++c) {
            if (!MapTerm(combination.recipe.colours[c], channels, made, kColourOffset[c], 3,
                         problem)) {
                return false;
            }
        }
    }
    image = std::move(made);
    picture = PictureOf(combination);
    return true;
}
