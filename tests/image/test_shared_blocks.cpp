// Images that refer to one block until one of them writes: every image still
// behaves as if it held its own bytes, and the history, the first state and
// shared copies cost no copy of their own.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "EnhanceImages.h"
#include "image/CDibImage.h"
#include "image/PaletteFile.h"
#include "platform/Rand15.h"

namespace {

struct WriteCase {
    const char* name;
    int bits;
    std::function<bool(CDibImage&)> write;
};

const WriteCase kWrites[] = {
    {"SetPixel", 8, [](CDibImage& i) { return i.SetPixel(2, 1, 0x7f7f7f); }},
    {"LockBits", 24,
     [](CDibImage& i) {
         i.LockBits()[0] ^= 0xff;
         return true;
     }},
    {"ColourTable", 8,
     [](CDibImage& i) {
         PaletteTable table = GreyRamp();
         table[3] = RgbQuad{9, 8, 7, 0};
         return i.SetColorTable(table);
     }},
    {"Brightness", 8, [](CDibImage& i) { return i.Brightness(150); }},
    {"NegateSubRegion", 24,
     [](CDibImage& i) {
         SetRect(i, 1, 1, 4, 3);
         return i.Negate();
     }},
    {"Noise", 8,
     [](CDibImage& i) {
         CRand15 generator;
         return i.AddNoise(60, generator);
     }},
    {"Stretch", 8, [](CDibImage& i) { return i.HistogramStretch(); }},
    {"Median", 8, [](CDibImage& i) { return i.MedianSmooth(); }},
    {"EdgeSubRegion", 8,
     [](CDibImage& i) {
         SetRect(i, 0, 1, 5, 4);
         return i.EdgeDetect();
     }},
    {"Mean24", 24, [](CDibImage& i) { return i.MeanSmooth(); }},
};

class SharedBlockWrites : public ::testing::TestWithParam<WriteCase> {};

TEST_P(SharedBlockWrites, NeverReachTheOtherImage) {
    const WriteCase& c = GetParam();
    // Width 7 leaves row padding, which must survive every write too.
    CDibImage source = RandomImage(7, 5, c.bits, 11);
    const std::vector<std::uint8_t> before = source.Block();
    CDibImage shared;
    shared.ShareFrom(source);
    EXPECT_EQ(shared.SharedBlock(), source.SharedBlock());
    CDibImage alone = source;  // a plain copy owns its bytes from the start
    ASSERT_TRUE(c.write(shared));
    ASSERT_TRUE(c.write(alone));
    EXPECT_EQ(source.Block(), before);
    EXPECT_EQ(shared.Block(), alone.Block());
}

INSTANTIATE_TEST_SUITE_P(Writers, SharedBlockWrites, ::testing::ValuesIn(kWrites),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SharedBlocks, HistoryAndFirstStateReferToTheBlockUntilWritten) {
    CDibImage image = RandomImage(9, 4, 8, 3);
    const std::vector<std::uint8_t> loaded = image.Block();
    ASSERT_TRUE(image.SaveFirstState());
    ASSERT_TRUE(image.PushHistory(kIdsFilter));
    EXPECT_EQ(image.History().back().image->SharedBlock(), image.SharedBlock());
    ASSERT_TRUE(image.Negate());
    EXPECT_NE(image.Block(), loaded);
    EXPECT_EQ(image.History().back().image->Block(), loaded);
    ASSERT_TRUE(image.RollBack());
    EXPECT_EQ(image.Block(), loaded);
    ASSERT_TRUE(image.Blur());
    ASSERT_TRUE(image.RestoreFirstState());
    EXPECT_EQ(image.Block(), loaded);
}

TEST(SharedBlocks, AnUnchangedColourTableIsNotWritten) {
    CDibImage image = RandomImage(4, 4, 8, 5);
    ASSERT_TRUE(image.SetColorTable(GreyRamp()));
    CDibImage shared;
    shared.ShareFrom(image);
    ASSERT_TRUE(shared.SetColorTable(GreyRamp()));
    EXPECT_EQ(shared.SharedBlock(), image.SharedBlock());
}

TEST(SharedBlocks, RewriteKeepsHeaderTableAndRowPadding) {
    CDibImage image;
    ASSERT_TRUE(image.CreateBlank(5, 3, 8));
    std::uint8_t* bits = image.LockBits();
    for (int row = 0; row < 3; ++row) {
        for (int k = 5; k < image.Stride(); ++k) {
            bits[row * image.Stride() + k] = static_cast<std::uint8_t>(0xA0 + row * 8 + k);
        }
    }
    const std::vector<std::uint8_t> before = image.Block();
    CDibImage shared;
    shared.ShareFrom(image);
    std::uint8_t* fresh = shared.LockBitsToRewrite();
    ASSERT_NE(fresh, nullptr);
    EXPECT_NE(shared.SharedBlock(), image.SharedBlock());
    for (int row = 0; row < 3; ++row) {
        for (int x = 0; x < 5; ++x) {
            fresh[row * shared.Stride() + x] = before[before.size() - 3 * 8 + row * 8 + x];
        }
    }
    EXPECT_EQ(shared.Block(), before);
    EXPECT_EQ(image.Block(), before);
}

TEST(SharedBlocks, GrowingArraysMoveImagesWithoutCopies) {
    std::vector<CDibImage> frames;
    frames.emplace_back(RandomImage(6, 6, 8, 1));
    const auto first = frames.front().SharedBlock();
    for (int i = 0; i < 40; ++i) {
        frames.emplace_back(RandomImage(3, 3, 8, static_cast<std::uint32_t>(i)));
    }
    EXPECT_EQ(frames.front().SharedBlock(), first);
    CDibImage taken = std::move(frames.front());
    EXPECT_EQ(taken.SharedBlock(), first);
    EXPECT_TRUE(frames.front().IsEmpty());
}

}  // namespace
