#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "EnhanceImages.h"
#include "image/PaletteFile.h"
#include "support/TestSupport.h"

namespace {

std::optional<PaletteTable> Parse(const std::string& text) {
    std::istringstream in(text);
    return ParsePalette(in);
}

PaletteTable TableOf(const CDibImage& image) {
    PaletteTable table{};
    for (std::size_t i = 0; i < 256; ++i) {
        const std::uint32_t c = image.Palette()[i];
        table[i] =
            RgbQuad{static_cast<std::uint8_t>(c & 0xff), static_cast<std::uint8_t>((c >> 8) & 0xff),
                    static_cast<std::uint8_t>((c >> 16) & 0xff), 0};
    }
    return table;
}

bool SameTable(const PaletteTable& a, const PaletteTable& b) {
    for (std::size_t i = 0; i < 256; ++i) {
        if (a[i].red != b[i].red || a[i].green != b[i].green || a[i].blue != b[i].blue) {
            return false;
        }
    }
    return true;
}

TEST(PaletteFile, GreyExampleTruncates) {
    const auto table = Parse("BK 0 x 2\n0 255\n256 0\n");
    ASSERT_TRUE(table);
    EXPECT_EQ((*table)[0].red, 255);
    EXPECT_EQ((*table)[1].green, 255);  // -255 * 1 / 256 truncates to 0
    EXPECT_EQ((*table)[2].blue, 254);
    EXPECT_EQ((*table)[255].red, 1);
}

TEST(PaletteFile, KeywordAnywhereInTheFirstWord) {
    const auto table = Parse("XBKX\t7 anything 2 10 100 20 200");
    ASSERT_TRUE(table);
    EXPECT_EQ((*table)[15].red, 150);
    EXPECT_EQ((*table)[20].red, 20);  // the closing index keeps its ramp value
    EXPECT_EQ((*table)[9].red, 9);
    EXPECT_FALSE(Parse("GREY 0 x 2 0 0 256 255"));
}

TEST(PaletteFile, ColourBlocksFillTheirOwnChannel) {
    const auto table = Parse(
        "COLOR 1\n"
        "r r 2 0 255 256 255\n"
        "g g 2 0 0 128 128\n"
        "b b 0\n");
    ASSERT_TRUE(table);
    EXPECT_EQ((*table)[200].red, 255);
    EXPECT_EQ((*table)[100].green, 100);
    EXPECT_EQ((*table)[200].green, 200);  // uncovered: ramp
    EXPECT_EQ((*table)[77].blue, 77);
}

TEST(PaletteFile, DegenerateBlocksChangeNothing) {
    const PaletteTable ramp = GreyRamp();
    for (const char* text : {"BK 0 x 1 5 200", "BK 0 x 3 40 0 40 255 40 9", "BK 0 x 0"}) {
        const auto table = Parse(text);
        ASSERT_TRUE(table) << text;
        EXPECT_TRUE(SameTable(*table, ramp)) << text;
    }
}

TEST(PaletteFile, OnlyIncreasingSegmentsAreFilled) {
    // 100 -> 50 goes backwards and is skipped; 50 -> 60 is filled.
    const auto table = Parse("BK 0 x 3 100 0 50 10 60 20");
    ASSERT_TRUE(table);
    EXPECT_EQ((*table)[75].red, 75);
    EXPECT_EQ((*table)[55].red, 15);
}

TEST(PaletteFile, FilesBreakingTheLimitsAreRefused) {
    const std::string longWord(64, 'a');
    std::string tooMany = "BK 0 x 257";
    for (int i = 0; i < 257; ++i) {
        tooMany += " 0 0";
    }
    const char* refused[] = {
        "",
        "BK",
        "BK 0 x",
        "BK 0 x 2 0 255 256",    // ends inside a pair
        "BK 0 x 2 0 255 257 0",  // index above 256
        "BK 0 x 2 -1 255 256 0",
        "BK 0 x 2 0 256 256 0",  // value above 255
        "BK 0 x -1",
        "BK zero x 0",
        "BK 0 x 2 0 1x 256 0",
        "COLOR 1 r r 0 g g 0",  // ends before the blue block
    };
    for (const char* text : refused) {
        EXPECT_FALSE(Parse(text)) << text;
    }
    EXPECT_FALSE(Parse(tooMany));
    EXPECT_FALSE(Parse("BK 0 " + longWord + " 0"));
    EXPECT_TRUE(Parse("BK 0 " + std::string(63, 'a') + " 0"));
}

TEST(PaletteFile, ApplyWritesTheColourTable) {
    CTempDir dir;
    const std::string path = dir.File("p.lut");
    WriteFileBytes(path, {'B', 'K', ' ', '0', ' ', 'x', ' ', '2', ' ', '0',
                          ' ', '2', '5', '5', ' ', '2', '5', '6', ' ', '0'});
    CDibImage image = UniformGrey(2, 2, 1);
    image.ApplyPaletteFile(path, 1);
    EXPECT_EQ(image.Palette()[0], 0x00ffffffu);
    EXPECT_EQ(image.Palette()[255], 0x00010101u);
    EXPECT_EQ(Level(image, 0, 0), 1);  // indices untouched
    image.ApplyPaletteFile(path, 0);
    EXPECT_TRUE(SameTable(TableOf(image), GreyRamp()));
}

TEST(PaletteFile, RefusedOrMissingFilesLeaveTheTable) {
    CTempDir dir;
    CDibImage image = UniformGrey(2, 2, 1);
    image.ApplyPaletteFile(dir.File("gray.lut"), 1);
    std::ofstream(dir.File("p.lut")) << "BK 0 x 2 0 255 256 0";
    image.ApplyPaletteFile(dir.File("p.lut"), 1);
    const PaletteTable applied = TableOf(image);
    const std::string broken[] = {"BK 0 x 2 0 0 256", "COLOR 1 a b 2 0 0 256 0", "RGB 0"};
    for (const std::string& text : broken) {
        std::ofstream(dir.File("q.lut")) << text;
        image.ApplyPaletteFile(dir.File("q.lut"), 1);
        EXPECT_TRUE(SameTable(TableOf(image), applied)) << text;
    }
    image.ApplyPaletteFile("", 0);  // empty path: nothing, not even the ramp
    EXPECT_TRUE(SameTable(TableOf(image), applied));
}

TEST(PaletteFile, ColourImagesAreNeverWritten) {
    CTempDir dir;
    std::ofstream(dir.File("p.lut")) << "BK 0 x 2 0 255 256 0";
    CDibImage image = RandomImage(3, 2, 24, 4);
    const std::vector<std::uint8_t> before = image.Block();
    image.ApplyPaletteFile(dir.File("p.lut"), 1);
    image.ApplyPaletteFile(dir.File("p.lut"), 0);
    EXPECT_EQ(image.Block(), before);
}

TEST(PaletteFile, DeliveredPalettesParse) {
    for (const char* name : {"gray1.lut", "gray2.lut", "gray3.lut", "grayv.lut", "color1.lut",
                             "color2.lut", "color3.lut", "colorv.lut"}) {
        const auto table = ReadPaletteFile(SourceDir() + "/dat/" + name);
        ASSERT_TRUE(table) << name;
    }
    EXPECT_TRUE(SameTable(*ReadPaletteFile(SourceDir() + "/dat/gray1.lut"), GreyRamp()));
}

}  // namespace
