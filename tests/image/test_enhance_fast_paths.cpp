// The row walks against the per-pixel walks on random pictures large enough
// for whole vector blocks and their remainders, at borders and in
// sub-regions, with the block held alone or shared: the same bytes (row
// padding included), and a history entry that still holds the picture as it
// was.

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>

#include "EnhanceImages.h"
#include "image/FilterDriver.h"
#include "image/FilterKernels.h"
#include "image/MeanFilter.h"
#include "image/MedianFilter.h"
#include "image/PointOperation.h"

namespace {

using Walk = std::function<bool(CDibImage&, WalkPath)>;

struct Operation {
    const char* name;
    Walk run;
};

const CLargeConvolutionFilter kBlur = MakeBlurFilter();
const CConvolutionFilter kSharpen = MakeSharpenFilter();
const CConvolutionFilter kEmboss = MakeEmbossFilter();
const CEdgeFilter kEdge = MakeEdgeFilter();
const CMedianFilter kMedian;
const CMeanFilter kMean;

const Operation kOperations[] = {
    {"Brightness",
     [](CDibImage& i, WalkPath p) { return MapChannels(i, 1004, BrightnessMap(170), p); }},
    {"Contrast", [](CDibImage& i, WalkPath p) { return MapChannels(i, 1005, ContrastMap(35), p); }},
    {"Negate", [](CDibImage& i, WalkPath p) { return MapChannels(i, 1017, NegateMap(), p); }},
    {"Blur", [](CDibImage& i, WalkPath p) { return RunFilter(i, kBlur, p); }},
    {"Sharpen", [](CDibImage& i, WalkPath p) { return RunFilter(i, kSharpen, p); }},
    {"Emboss", [](CDibImage& i, WalkPath p) { return RunFilter(i, kEmboss, p); }},
    {"Edge", [](CDibImage& i, WalkPath p) { return RunFilter(i, kEdge, p); }},
    {"Median", [](CDibImage& i, WalkPath p) { return RunFilter(i, kMedian, p); }},
    {"Mean", [](CDibImage& i, WalkPath p) { return RunFilter(i, kMean, p); }},
};

struct Picture {
    const char* name;
    int width, height;
    DibRect region;
    int levels;  // random levels 0 .. levels - 1: few levels make many ties
};

const Picture kPictures[] = {
    {"WideRows", 131, 9, {0, 0, 131, 9}, 256},  {"ManyTies", 70, 33, {0, 0, 70, 33}, 3},
    {"SubRegion", 97, 40, {5, 3, 90, 37}, 256}, {"RegionAtRightEdge", 45, 12, {30, 0, 45, 12}, 256},
    {"OneColumn", 1, 17, {0, 0, 1, 17}, 256},   {"OneRowSubRegion", 66, 5, {1, 2, 65, 3}, 256},
};

enum class Sharing { kAlone, kWithFirstState, kWithAnotherImage };

CDibImage RandomLevels(int width, int height, int levels, std::uint32_t seed) {
    std::mt19937 random(seed);
    CDibImage image;
    image.CreateBlank(width, height, 8);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            image.SetPixel(x, y, static_cast<std::uint32_t>(random() % levels));
        }
    }
    // Row padding with a pattern of its own, which no walk may touch.
    std::uint8_t* bits = image.LockBits();
    for (int row = 0; row < height; ++row) {
        for (int k = width; k < image.Stride(); ++k) {
            bits[row * image.Stride() + k] = static_cast<std::uint8_t>(0x5A + k + row);
        }
    }
    return image;
}

TEST(EnhanceFastPaths, RowWalksEqualPerPixelWalksByteForByte) {
    std::uint32_t seed = 100;
    for (const Picture& picture : kPictures) {
        for (const Operation& operation : kOperations) {
            for (Sharing sharing :
                 {Sharing::kAlone, Sharing::kWithFirstState, Sharing::kWithAnotherImage}) {
                SCOPED_TRACE(std::string(picture.name) + " " + operation.name + " sharing " +
                             std::to_string(static_cast<int>(sharing)));
                CDibImage fast =
                    RandomLevels(picture.width, picture.height, picture.levels, seed++);
                const DibRect& r = picture.region;
                SetRect(fast, r.left, r.top, r.right, r.bottom);
                const std::vector<std::uint8_t> before = fast.Block();
                CDibImage other;
                if (sharing == Sharing::kWithFirstState) {
                    ASSERT_TRUE(fast.SaveFirstState());
                } else if (sharing == Sharing::kWithAnotherImage) {
                    other.ShareFrom(fast);
                }
                CDibImage slow = fast;
                ASSERT_TRUE(operation.run(fast, WalkPath::kFastest));
                ASSERT_TRUE(operation.run(slow, WalkPath::kPerPixel));
                EXPECT_EQ(fast.Block(), slow.Block());
                ASSERT_EQ(fast.History().size(), 1u);
                EXPECT_EQ(fast.History().back().image->Block(), before);
                if (sharing == Sharing::kWithAnotherImage) {
                    EXPECT_EQ(other.Block(), before);
                }
            }
        }
    }
}

// Pictures of more than 256 KB are mapped two bytes at a time.
TEST(EnhanceFastPaths, LargePicturesMapAsThePerPixelWalk) {
    for (int bits : {8, 24}) {
        for (bool shared : {false, true}) {
            CDibImage fast = RandomImage(bits == 8 ? 603 : 301, 450, bits, 40u + bits);
            CDibImage other;
            if (shared) {
                other.ShareFrom(fast);
            }
            CDibImage slow = fast;
            const ChannelMap map = ContrastMap(230);
            ASSERT_TRUE(MapChannels(fast, 1005, map, WalkPath::kFastest));
            ASSERT_TRUE(MapChannels(slow, 1005, map, WalkPath::kPerPixel));
            EXPECT_EQ(fast.Block(), slow.Block()) << bits << " " << shared;
        }
    }
}

TEST(EnhanceFastPaths, StretchEqualsPerPixelAndLeavesSharersAlone) {
    for (int levels : {2, 7, 256}) {
        CDibImage fast = RandomLevels(77, 13, levels, static_cast<std::uint32_t>(levels));
        const std::vector<std::uint8_t> before = fast.Block();
        CDibImage other;
        other.ShareFrom(fast);
        CDibImage slow = fast;
        ASSERT_TRUE(StretchHistogram(fast, WalkPath::kFastest));
        ASSERT_TRUE(StretchHistogram(slow, WalkPath::kPerPixel));
        EXPECT_EQ(fast.Block(), slow.Block()) << levels;
        EXPECT_EQ(other.Block(), before) << levels;
    }
}

}  // namespace
