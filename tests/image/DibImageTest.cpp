#include <gtest/gtest.h>

#include "DibTestBlocks.h"
#include "image/CDibImage.h"

namespace {

struct DepthCase {
    int bits;
    std::uint32_t written;
    std::uint32_t readBack;
};

// Writes and reads back every pixel of a 9x3 image (odd width: padded rows
// and a partial last byte) at every writable depth.
TEST(DibPixels, EveryDepthRoundTripsAndKeepsNeighbours) {
    const DepthCase cases[] = {
        {1, 0x123456, 255},           {1, 0, 0}, {4, 0xABCDE7, 7}, {8, 0x4455C8, 0xC8C8C8},
        {24, 0x00A1B2C3, 0x00A1B2C3},
    };
    for (const DepthCase& c : cases) {
        SCOPED_TRACE(c.bits);
        CDibImage image;
        ASSERT_TRUE(image.CreateBlank(9, 3, c.bits));
        EXPECT_EQ(image.Stride(), DibStride(c.bits, 9));
        for (int y = 0; y < 3; ++y) {
            for (int x = 0; x < 9; ++x) {
                ASSERT_TRUE(image.SetPixel(x, y, (x + y) % 2 == 0 ? c.written : 0));
            }
        }
        std::uint8_t* bits = image.LockBits();
        for (int y = 0; y < 3; ++y) {
            for (int x = 0; x < 9; ++x) {
                std::uint32_t v = 1;
                ASSERT_TRUE(image.GetPixel(bits, x, y, v));
                EXPECT_EQ(v, (x + y) % 2 == 0 ? c.readBack : 0u) << x << "," << y;
            }
        }
    }
}

TEST(DibPixels, TopLeftOfEightBitIsFirstByteOfLastStoredRow) {
    std::vector<std::uint8_t> block = MakeInfoBlock(5, 4, 8, 0, 256);
    const std::size_t lastRow = 40 + 1024 + 3 * 8;
    block[lastRow] = 0x5A;
    block[40 + 1024] = 0x11;  // first stored row = bottom of the picture
    CDibImage image;
    ASSERT_TRUE(image.Attach(std::move(block)));
    std::uint32_t v = 0;
    ASSERT_TRUE(image.GetPixel(0, 0, v));
    EXPECT_EQ(v, 0x5A5A5Au);
    ASSERT_TRUE(image.GetPixel(0, 3, v));
    EXPECT_EQ(v, 0x111111u);
}

TEST(DibPixels, FourBitHighNibbleIsEvenX) {
    std::vector<std::uint8_t> block = MakeInfoBlock(2, 1, 4, 0, 16);
    block[40 + 64] = 0x9C;
    CDibImage image;
    ASSERT_TRUE(image.Attach(std::move(block)));
    std::uint32_t v = 0;
    ASSERT_TRUE(image.GetPixel(0, 0, v));
    EXPECT_EQ(v, 9u);
    ASSERT_TRUE(image.GetPixel(1, 0, v));
    EXPECT_EQ(v, 0xCu);
}

TEST(DibPixels, OutsideAndUnwritableFailWithoutTouching) {
    CDibImage image;
    std::uint32_t v = 0;
    EXPECT_FALSE(image.GetPixel(0, 0, v));
    EXPECT_FALSE(image.SetPixel(0, 0, 1));
    ASSERT_TRUE(image.CreateBlank(4, 4, 8));
    const std::vector<std::uint8_t> before = image.Block();
    for (auto [x, y] : {std::pair{-1, 0}, {4, 0}, {0, -1}, {0, 4}}) {
        EXPECT_FALSE(image.SetPixel(x, y, 7));
        EXPECT_FALSE(image.GetPixel(x, y, v));
    }
    EXPECT_EQ(image.Block(), before);

    CDibImage deep;
    ASSERT_TRUE(deep.CreateBlank(2, 2, 32));
    deep.LockBits()[4 * 2 + 0] = 0x30;  // top-left pixel: blue byte of stored row 1
    deep.LockBits()[4 * 2 + 2] = 0x10;
    EXPECT_TRUE(deep.GetPixel(0, 0, v));
    EXPECT_EQ(v, 0x300010u);
    EXPECT_FALSE(deep.IsWritable());
    EXPECT_FALSE(deep.SetPixel(0, 0, 1));

    std::vector<std::uint8_t> rle = MakeInfoBlock(4, 2, 8, 0, 256);
    WriteInt32LE(rle.data() + 16, kDibCompressionRle8);
    WriteInt32LE(rle.data() + 20, 4);
    CDibImage coded;
    ASSERT_TRUE(coded.Attach(std::move(rle)));
    EXPECT_FALSE(coded.IsWritable());
    EXPECT_FALSE(coded.SetPixel(0, 0, 1));
    EXPECT_FALSE(coded.GetPixel(0, 0, v));
}

TEST(DibColorTable, UsedEntriesSizeThePaletteAndTheWrite) {
    std::vector<std::uint8_t> block = MakeInfoBlock(4, 2, 8, 10, 10);
    block[40 + 40] = 0xEE;  // first pixel, right behind the short table
    CDibImage image;
    ASSERT_TRUE(image.Attach(std::move(block)));
    EXPECT_EQ(image.ColorTableEntries(), 10);
    ASSERT_EQ(image.Palette().size(), 10u);
    EXPECT_EQ(image.Palette()[3], 0x030609u);  // (red 9, green 6, blue 3)

    std::array<RgbQuad, 256> colours{};
    for (auto& c : colours) {
        c = RgbQuad{1, 2, 3, 99};
    }
    ASSERT_TRUE(image.SetColorTable(colours));
    EXPECT_EQ(image.Palette()[9], 0x030201u);
    EXPECT_EQ(image.Block()[40 + 40], 0xEE) << "table write ran into the pixels";
    EXPECT_EQ(image.Block()[40 + 4 * 9 + 3], 0);
}

TEST(DibColorTable, CoreHeaderTableHasThreeByteEntries) {
    CDibImage image;
    ASSERT_TRUE(image.Attach(MakeCoreBlock(3, 2, 8)));
    EXPECT_EQ(image.HeaderSize(), 12);
    ASSERT_EQ(image.Palette().size(), 256u);
    EXPECT_EQ(image.Palette()[200], 200u);
    std::array<RgbQuad, 256> colours{};
    colours[1] = RgbQuad{10, 20, 30, 40};
    ASSERT_TRUE(image.SetColorTable(colours));
    EXPECT_EQ(image.Block()[12 + 3], 30);
    EXPECT_EQ(image.Block()[12 + 5], 10);
    EXPECT_EQ(image.Palette()[1], 0x1E140Au);
    EXPECT_EQ(image.LockBits(), image.Block().data() + 12 + 768);
}

TEST(DibColorTable, TwentyFourBitHasNoTableToSet) {
    CDibImage image;
    ASSERT_TRUE(image.CreateBlank(2, 2, 24));
    EXPECT_TRUE(image.Palette().empty());
    EXPECT_FALSE(image.SetColorTable({}));
}

TEST(DibAttach, RefusesBlocksWhoseHeaderDoesNotFit) {
    auto patched = [](std::vector<std::uint8_t> b, int offset, std::uint32_t v) {
        WriteInt32LE(b.data() + offset, v);
        return b;
    };
    const std::vector<std::uint8_t> good = MakeInfoBlock(5, 3, 8, 0, 256);
    const std::vector<std::uint8_t> shortPixels(good.begin(), good.end() - 1);
    std::vector<std::uint8_t> bit16 = good;
    WriteInt16LE(bit16.data() + 14, 16);
    const std::vector<std::uint8_t> cases[] = {
        {},
        {40, 0, 0},
        shortPixels,
        bit16,
        patched(good, 4, 0),                      // width 0
        patched(good, 8, 0xFFFFFFFD),             // top-down height
        patched(good, 4, 0x7FFFFFFF),             // stride overflows the block
        patched(good, 32, 257),                   // more colours than any table
        patched(patched(good, 16, 1), 20, 5000),  // run-length size past the end
        patched(good, 0, 8),                      // header smaller than the core form
        patched(good, 0, 100000),                 // header larger than the block
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        CDibImage image;
        ASSERT_TRUE(image.CreateBlank(2, 2, 8));
        EXPECT_FALSE(image.Attach(cases[i])) << "case " << i;
        EXPECT_TRUE(image.IsEmpty());
    }
    CDibImage image;
    EXPECT_TRUE(image.Attach(good));
}

TEST(DibAttach, CreateBlankHeaderAndRegion) {
    CDibImage image;
    ASSERT_TRUE(image.CreateBlank(7, 5, 8));
    const std::uint8_t* h = image.Block().data();
    EXPECT_EQ(ReadUInt32LE(h), 40u);
    EXPECT_EQ(ReadUInt16LE(h + 12), 1);
    EXPECT_EQ(ReadUInt32LE(h + 20), 0u);
    EXPECT_EQ(ReadUInt32LE(h + 32), 256u);
    EXPECT_EQ(ReadUInt32LE(h + 36), 256u);
    EXPECT_EQ(image.Block().size(), 40u + 1024u + 8u * 5u);
    const DibRect r = image.Region().Bounds();
    EXPECT_EQ(r.right, 7);
    EXPECT_EQ(r.bottom, 5);
    EXPECT_FALSE(image.CreateBlank(0, 5, 8));
    EXPECT_FALSE(image.CreateBlank(5, 5, 16));
    EXPECT_TRUE(image.IsEmpty());
}

TEST(DibRegion, ContainsBoundsCloneAndWalk) {
    const CImageRegion region(2, 1, 5, 3);
    EXPECT_TRUE(region.Contains(2, 1));
    EXPECT_TRUE(region.Contains(4, 2));
    EXPECT_FALSE(region.Contains(5, 2));
    EXPECT_FALSE(region.Contains(2, 3));
    EXPECT_FALSE(region.Contains(1, 1));
    std::unique_ptr<CImageRegion> clone = region.Clone();
    EXPECT_EQ(clone->Bounds().left, 2);
    EXPECT_EQ(clone->Bounds().bottom, 3);

    // ConvertTo24 walks the region: the copy is the bounds' size.
    CDibImage image;
    ASSERT_TRUE(image.CreateBlank(6, 4, 8));
    ASSERT_TRUE(image.SetPixel(2, 1, 0x40));
    ASSERT_TRUE(image.SetPixel(4, 2, 0x80));
    image.SetRegion(region.Clone());
    CDibImage target;
    ASSERT_TRUE(image.ConvertTo24(target));
    EXPECT_EQ(target.Width(), 3);
    EXPECT_EQ(target.Height(), 2);
    EXPECT_EQ(target.BitsPerPixel(), 24);
    std::uint32_t v = 0;
    ASSERT_TRUE(target.GetPixel(0, 0, v));
    EXPECT_EQ(v, 0x404040u);
    ASSERT_TRUE(target.GetPixel(2, 1, v));
    EXPECT_EQ(v, 0x808080u);
}

TEST(DibCopy, DuplicatesBlockClonesRegionButNotHistory) {
    CDibImage source;
    ASSERT_TRUE(source.CreateBlank(4, 4, 8));
    ASSERT_TRUE(source.SetPixel(1, 1, 9));
    source.SetRegion(std::make_unique<CImageRegion>(1, 1, 3, 3));
    ASSERT_TRUE(source.PushHistory(kIdsFilter));
    ASSERT_TRUE(source.SaveFirstState());

    CDibImage copy(source);
    EXPECT_EQ(copy.Block(), source.Block());
    EXPECT_NE(copy.Block().data(), source.Block().data());
    EXPECT_EQ(copy.Region().Bounds().left, 1);
    EXPECT_EQ(copy.Region().Bounds().right, 3);
    EXPECT_TRUE(copy.History().empty());
    EXPECT_FALSE(copy.HasFirstState());

    // Assignment keeps the target's own history and first state.
    CDibImage target;
    ASSERT_TRUE(target.CreateBlank(2, 2, 24));
    ASSERT_TRUE(target.PushHistory(kIdsContrast));
    target = source;
    EXPECT_EQ(target.Block(), source.Block());
    EXPECT_EQ(target.Width(), 4);
    ASSERT_EQ(target.History().size(), 1u);
    EXPECT_EQ(target.History()[0].image->BitsPerPixel(), 24);

    ASSERT_TRUE(copy.SetPixel(1, 1, 3));
    std::uint32_t v = 0;
    ASSERT_TRUE(source.GetPixel(1, 1, v));
    EXPECT_EQ(v, 0x090909u);

    target = CDibImage();
    EXPECT_TRUE(target.IsEmpty());
}

}  // namespace
