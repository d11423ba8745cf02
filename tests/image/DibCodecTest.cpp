#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "DibTestBlocks.h"
#include "image/BmpCodec.h"
#include "image/CDibImage.h"
#include "image/JpegCodec.h"
#include "image/TgaCodec.h"
#include "support/TestSupport.h"

namespace {

int MaxChannelDifference(std::uint32_t a, std::uint32_t b) {
    int worst = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const int d =
            std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF));
        worst = std::max(worst, d);
    }
    return worst;
}

std::size_t FilesIn(const std::string& folder) {
    std::size_t count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) {
        ++count;
    }
    return count;
}

// A TGA file: header, `id` bytes of image id, pixels, optional tail.
std::vector<std::uint8_t> MakeTga(int width, int height, int depth, std::uint8_t descriptor,
                                  const std::vector<std::uint8_t>& pixels, int id = 0) {
    std::vector<std::uint8_t> file(kTgaHeaderSize + static_cast<std::size_t>(id), 0x77);
    std::fill(file.begin(), file.begin() + kTgaHeaderSize, 0);
    file[0] = static_cast<std::uint8_t>(id);
    file[2] = 2;
    WriteInt16LE(file.data() + 12, width);
    WriteInt16LE(file.data() + 14, height);
    file[16] = static_cast<std::uint8_t>(depth);
    file[17] = descriptor;
    file.insert(file.end(), pixels.begin(), pixels.end());
    return file;
}

TEST(BmpCodec, EightAndTwentyFourBitRoundTrip) {
    CTempDir dir;
    for (int bits : {8, 24}) {
        SCOPED_TRACE(bits);
        CDibImage image = PatternImage(13, 7, bits);
        const std::string path = dir.File("round.bmp");
        ASSERT_TRUE(image.Save(path));
        const std::vector<std::uint8_t> file = ReadFileBytes(path);
        const std::size_t table = bits == 8 ? 1024 : 0;
        const std::size_t pixels = static_cast<std::size_t>(image.Stride()) * 7;
        ASSERT_EQ(file.size(), 14 + 40 + table + pixels);
        EXPECT_EQ(file[0], 'B');
        EXPECT_EQ(ReadUInt32LE(file.data() + 2), file.size());
        EXPECT_EQ(ReadUInt32LE(file.data() + 10), 14 + 40 + table);
        EXPECT_EQ(ReadUInt32LE(file.data() + 14 + 20), pixels) << "image size recomputed";

        CDibImage back;
        ASSERT_TRUE(back.Load(path));
        EXPECT_TRUE(
            std::equal(back.Block().begin() + 40, back.Block().end(), image.Block().begin() + 40));
        EXPECT_EQ(PixelOf(back, 12, 6), PixelOf(image, 12, 6));
    }
}

TEST(BmpCodec, CoreHeaderLoadsButIsNotSavedAsBmp) {
    CTempDir dir;
    std::vector<std::uint8_t> file = {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    std::vector<std::uint8_t> block = MakeCoreBlock(3, 2, 8);
    block[12 + 768 + 4] = 42;  // stored row 1 = top row, x = 0
    file.insert(file.end(), block.begin(), block.end());
    ASSERT_TRUE(WriteFileBytes(dir.File("core.dib"), file));
    CDibImage image;
    ASSERT_TRUE(image.Load(dir.File("core.dib")));
    EXPECT_EQ(image.Width(), 3);
    EXPECT_EQ(image.Height(), 2);
    EXPECT_EQ(PixelOf(image, 0, 0), 0x2A2A2Au);
    EXPECT_FALSE(image.Save(dir.File("again.bmp")));
    EXPECT_FALSE(image.Save(dir.File("again.tga"))) << "8-bit is no TGA either";
    EXPECT_EQ(FilesIn(dir.Path()), 1u);
}

TEST(BmpCodec, PixelOffsetIsNotConsulted) {
    CDibImage image = PatternImage(4, 1, 24);
    std::vector<std::uint8_t> file = {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 58, 0, 0, 0};
    file.insert(file.end(), image.Block().begin(), image.Block().begin() + 40);
    file.insert(file.end(), {0xA0, 0xA1, 0xA2, 0xA3});  // a gap the offset skips
    file.insert(file.end(), image.Block().begin() + 40, image.Block().end());
    const std::vector<std::uint8_t> block = ReadBmpDibBytes(file.data(), file.size());
    CDibImage read;
    ASSERT_TRUE(read.Attach(block));
    EXPECT_EQ(PixelOf(read, 0, 0), 0xA0A1A2u);
}

TEST(BmpCodec, MalformedFilesAreRefused) {
    const CDibImage image = PatternImage(5, 3, 8);
    std::vector<std::uint8_t> good = {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    good.insert(good.end(), image.Block().begin(), image.Block().end());
    ASSERT_FALSE(ReadBmpDibBytes(good.data(), good.size()).empty());

    auto with = [&good](int offset, std::uint32_t value) {
        std::vector<std::uint8_t> f = good;
        WriteInt32LE(f.data() + 14 + offset, value);
        return f;
    };
    std::vector<std::uint8_t> truncated(good.begin(), good.end() - 1);
    std::vector<std::uint8_t> notBm = good;
    notBm[1] = 'A';
    std::vector<std::uint8_t> depth7 = good;
    depth7[14 + 14] = 7;
    const std::vector<std::uint8_t> cases[] = {
        {'B', 'M'},
        truncated,
        notBm,
        depth7,
        with(4, 100000),
        with(8, 60000),
        with(32, 1000),
        with(0, 1u << 30),
        std::vector<std::uint8_t>(good.begin(), good.begin() + 30),
    };
    CTempDir dir;
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_TRUE(ReadBmpDibBytes(cases[i].data(), cases[i].size()).empty()) << i;
        ASSERT_TRUE(WriteFileBytes(dir.File("bad.bmp"), cases[i]));
        CDibImage loaded = PatternImage(2, 2, 24);
        EXPECT_FALSE(loaded.Load(dir.File("bad.bmp"))) << i;
        EXPECT_EQ(loaded.Width(), 2) << "a failed load leaves the image";
    }
}

TEST(JpegCodec, RoundTripWithinTolerance) {
    CTempDir dir;
    // A smooth picture: JPEG at quality 100 keeps it within a few levels.
    CDibImage image;
    ASSERT_TRUE(image.CreateBlank(37, 21, 24));
    for (int y = 0; y < 21; ++y) {
        for (int x = 0; x < 37; ++x) {
            image.SetPixel(x, y, (x * 6) | ((y * 10) << 8) | (((x + y) * 4) << 16));
        }
    }
    const std::string path = dir.File("Picture.JPEG");
    ASSERT_TRUE(image.Save(path));
    CDibImage back;
    ASSERT_TRUE(back.Load(path));
    ASSERT_EQ(back.Width(), 37);
    ASSERT_EQ(back.Height(), 21);
    EXPECT_EQ(back.BitsPerPixel(), 24);
    EXPECT_EQ(back.HeaderSize(), 40);
    EXPECT_EQ(back.ColorTableEntries(), 0);
    int worst = 0;
    for (int y = 0; y < 21; ++y) {
        for (int x = 0; x < 37; ++x) {
            worst =
                std::max(worst, MaxChannelDifference(PixelOf(back, x, y), PixelOf(image, x, y)));
        }
    }
    EXPECT_LE(worst, 6);
}

TEST(JpegCodec, BrokenStreamsFailWithoutExit) {
    CDibImage image = PatternImage(16, 16, 24);
    CTempDir dir;
    ASSERT_TRUE(image.Save(dir.File("a.jpg")));
    const std::vector<std::uint8_t> jpeg = ReadFileBytes(dir.File("a.jpg"));
    const std::vector<std::uint8_t> garbage(300, 0x5A);
    EXPECT_TRUE(ReadJpegDibBytes(garbage.data(), garbage.size()).empty());
    EXPECT_TRUE(ReadJpegDibBytes(jpeg.data(), 40).empty());
    EXPECT_FALSE(ReadJpegDibBytes(jpeg.data(), jpeg.size()).empty());
    EXPECT_TRUE(ReadJpegDibBytes(jpeg.data(), jpeg.size(), 255).empty()) << "pixel limit";
}

TEST(TgaCodec, WrittenFileIsExactlyHeaderAndRowsAndReadsBackIdentically) {
    CTempDir dir;
    CDibImage image = PatternImage(5, 3, 24);  // rows of 15 bytes, stored padded to 16
    const std::string path = dir.File("pic.tga");
    ASSERT_TRUE(image.Save(path));
    const std::vector<std::uint8_t> file = ReadFileBytes(path);
    ASSERT_EQ(file.size(), 18u + 5 * 3 * 3);
    const std::uint8_t header[18] = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 5, 0, 3, 0, 24, 0};
    EXPECT_TRUE(std::equal(header, header + 18, file.begin()));
    // First stored pixel: bottom-left, blue first.
    const std::uint32_t bottomLeft = PatternColour(0, 2);
    EXPECT_EQ(file[18], (bottomLeft >> 16) & 0xFF);
    EXPECT_EQ(file[20], bottomLeft & 0xFF);
    CDibImage back;
    ASSERT_TRUE(back.Load(path));
    EXPECT_EQ(back.Block(), image.Block());
}

TEST(TgaCodec, DescriptorOrdersAreShownUpright) {
    // A 2x2 picture with the pixels numbered in reading order (red byte).
    struct Case {
        std::uint8_t descriptor;
        std::vector<std::uint8_t> storedOrder;  // picture pixel number of each stored pixel
    };
    const Case cases[] = {
        {0x00, {2, 3, 0, 1}},  // bottom-up, left to right
        {0x20, {0, 1, 2, 3}},  // top-down
        {0x10, {3, 2, 1, 0}},  // bottom-up, right to left
        {0x30, {1, 0, 3, 2}},  // top-down, right to left
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.descriptor));
        std::vector<std::uint8_t> pixels;
        for (std::uint8_t n : c.storedOrder) {
            pixels.insert(pixels.end(), {0, 0, static_cast<std::uint8_t>(10 + n)});
        }
        const std::vector<std::uint8_t> file = MakeTga(2, 2, 24, c.descriptor, pixels, 3);
        CDibImage image;
        ASSERT_TRUE(image.Attach(ReadTgaDibBytes(file.data(), file.size())));
        for (int n = 0; n < 4; ++n) {
            EXPECT_EQ(PixelOf(image, n % 2, n / 2), 10u + n) << n;
        }
    }
}

TEST(TgaCodec, ThirtyTwoBitLoadsAsTwentyFour) {
    const std::vector<std::uint8_t> file = MakeTga(2, 1, 32, 0x28, {1, 2, 3, 0xFF, 4, 5, 6, 0x80});
    CDibImage image;
    ASSERT_TRUE(image.Attach(ReadTgaDibBytes(file.data(), file.size())));
    EXPECT_EQ(image.BitsPerPixel(), 24);
    EXPECT_EQ(PixelOf(image, 0, 0), 0x010203u);
    EXPECT_EQ(PixelOf(image, 1, 0), 0x040506u);
}

// A footer can only follow the pixels: one whose offsets point inside them is
// pixel bytes that happen to look like a footer, and the pixels need only fit
// the file.
TEST(TgaCodec, FooterOffsetsInsideThePixelsDoNotCount) {
    std::vector<std::uint8_t> file = MakeTga(2, 1, 24, 0, {1, 2, 3, 4, 5, 6});
    const std::uint32_t extension = static_cast<std::uint32_t>(file.size());
    file.resize(file.size() + 495, 0);  // the extension area
    std::vector<std::uint8_t> footer(26, 0);
    WriteInt32LE(footer.data(), extension);
    const char signature[] = "TRUEVISION-XFILE.";
    std::copy(signature, signature + 18, footer.begin() + 8);
    file.insert(file.end(), footer.begin(), footer.end());
    EXPECT_FALSE(ReadTgaDibBytes(file.data(), file.size()).empty());

    // The same file claiming a second row, which runs into the named
    // extension area: the footer does not count and the bytes are pixels.
    WriteInt16LE(file.data() + 14, 2);
    CDibImage image;
    ASSERT_TRUE(image.Attach(ReadTgaDibBytes(file.data(), file.size())));
    EXPECT_EQ(image.Height(), 2);
    EXPECT_EQ(PixelOf(image, 0, 1), 0x010203u);
    // Without the signature the bytes behind count as pixels just the same.
    file[file.size() - 10] = 'x';
    EXPECT_FALSE(ReadTgaDibBytes(file.data(), file.size()).empty());
}

TEST(TgaCodec, RefusedHeadersAndShortFiles) {
    const std::vector<std::uint8_t> good = MakeTga(2, 2, 24, 0, std::vector<std::uint8_t>(12, 9));
    ASSERT_FALSE(ReadTgaDibBytes(good.data(), good.size()).empty());
    auto with = [&good](int offset, std::uint8_t value) {
        std::vector<std::uint8_t> f = good;
        f[static_cast<std::size_t>(offset)] = value;
        return f;
    };
    std::vector<std::uint8_t> huge = good;
    WriteInt16LE(huge.data() + 12, 65535);
    WriteInt16LE(huge.data() + 14, 65535);
    const std::vector<std::uint8_t> cases[] = {
        {},           std::vector<std::uint8_t>(good.begin(), good.end() - 1),
        with(2, 10),                 // run-length coded
        with(1, 1),                  // colour map
        with(16, 16), with(0, 200),  // image id swallows the pixels
        with(12, 0),  huge,
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_TRUE(ReadTgaDibBytes(cases[i].data(), cases[i].size()).empty()) << i;
    }
}

TEST(DibFiles, ExtensionsChooseTheCodec) {
    CTempDir dir;
    CDibImage colour = PatternImage(8, 8, 24);
    CDibImage grey = PatternImage(8, 8, 8);
    EXPECT_TRUE(colour.Save(dir.File("a.JPG")));
    EXPECT_TRUE(colour.Save(dir.File("a.Dib")));
    EXPECT_TRUE(colour.Save(dir.File("a.TGA")));
    EXPECT_FALSE(colour.Save(dir.File("a.jpe")));
    EXPECT_FALSE(colour.Save(dir.File("a.awx")));
    EXPECT_FALSE(colour.Save(dir.File("noextension")));
    EXPECT_FALSE(grey.Save(dir.File("g.jpg")));
    EXPECT_FALSE(grey.Save(dir.File("g.tga")));
    EXPECT_FALSE(CDibImage().Save(dir.File("e.bmp")));
    EXPECT_EQ(FilesIn(dir.Path()), 3u) << "failed saves leave nothing behind";

    std::filesystem::copy_file(dir.File("a.JPG"), dir.File("b.jpe"));
    std::filesystem::copy_file(dir.File("a.JPG"), dir.File("b.jpeg.bmp"));
    CDibImage image;
    EXPECT_FALSE(image.Load(dir.File("b.jpe")));
    EXPECT_FALSE(image.Load(dir.File("b.jpeg.bmp")));
    EXPECT_FALSE(image.Load(dir.File("missing.bmp")));
    EXPECT_TRUE(image.Load(dir.File("a.TGA")));
    EXPECT_EQ(image.Block(), colour.Block());
}

TEST(DibFiles, FailedSaveLeavesTheOldFileByteForByte) {
    CTempDir dir;
    const std::string path = dir.File("keep.jpg");
    ASSERT_TRUE(PatternImage(8, 8, 24).Save(path));
    std::filesystem::permissions(path, std::filesystem::perms::owner_read |
                                           std::filesystem::perms::owner_write |
                                           std::filesystem::perms::group_read);
    const std::vector<std::uint8_t> before = ReadFileBytes(path);
    EXPECT_FALSE(PatternImage(8, 8, 8).Save(path));
    EXPECT_EQ(ReadFileBytes(path), before);
    EXPECT_EQ(FilesIn(dir.Path()), 1u);

    // A successful save replaces it.
    ASSERT_TRUE(PatternImage(4, 4, 24).Save(path));
    CDibImage image;
    ASSERT_TRUE(image.Load(path));
    EXPECT_EQ(image.Width(), 4);
    EXPECT_EQ(FilesIn(dir.Path()), 1u);
#ifndef _WIN32  // Windows files have no access modes
    EXPECT_EQ(std::filesystem::status(path).permissions() & std::filesystem::perms::all,
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                  std::filesystem::perms::group_read);
#endif
}

TEST(DibFiles, AwxLoadsAsGreyImage) {
    KELVRA_REQUIRE_SAMPLE(sample);
    CTempDir dir;
    const std::string upper = dir.File("SAMPLE.AWX");
    std::filesystem::copy_file(sample, upper);
    CDibImage image;
    ASSERT_TRUE(image.Load(upper));
    EXPECT_EQ(image.Width(), 1900);
    EXPECT_EQ(image.Height(), 1300);
    EXPECT_TRUE(image.IsEightBit());
    EXPECT_EQ(image.Palette().size(), 256u);
    EXPECT_EQ(image.Palette()[100], 0x646464u);
    EXPECT_FALSE(image.Save(dir.File("copy.awx")));
    EXPECT_TRUE(image.Save(dir.File("copy.bmp")));
}

}  // namespace
