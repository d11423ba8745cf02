// Run-length-coded BMP files against hand-made bytes: what each code puts
// where, what is cut off, and that such a file opens as a plain picture;
// files whose pixels stay compressed are refused when they are opened.

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "DibTestBlocks.h"
#include "image/BmpCodec.h"
#include "image/BmpRle.h"
#include "image/CDibImage.h"
#include "support/TestSupport.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// A BMP file: file header, 40-byte header with the compression and the
// code size, a 16-entry table (index i is grey i), the codes.
Bytes RleFile(int width, int height, int bits, int compression, const Bytes& codes,
              bool sizeInHeader = true) {
    const int entries = 16;
    Bytes file(kBmpFileHeaderSize + 40 + entries * 4, 0);
    file[0] = 'B';
    file[1] = 'M';
    WriteInt32LE(file.data() + 2, static_cast<std::uint32_t>(file.size() + codes.size()));
    WriteInt32LE(file.data() + 10, static_cast<std::uint32_t>(file.size()));
    std::uint8_t* header = file.data() + kBmpFileHeaderSize;
    WriteInfoHeader(header, width, height, bits, entries);
    WriteInt32LE(header + 16, static_cast<std::uint32_t>(compression));
    WriteInt32LE(header + 20, sizeInHeader ? static_cast<std::uint32_t>(codes.size()) : 0);
    for (int i = 0; i < entries; ++i) {
        std::uint8_t* e = header + 40 + i * 4;
        e[0] = e[1] = e[2] = static_cast<std::uint8_t>(i);
    }
    file.insert(file.end(), codes.begin(), codes.end());
    return file;
}

// The picture's indices, top row first, one string per row ('0'..'f'),
// as the image container reads them back.
std::vector<std::string> Rows(const CDibImage& image) {
    std::vector<std::string> rows;
    for (int y = 0; y < image.Height(); ++y) {
        std::string row;
        for (int x = 0; x < image.Width(); ++x) {
            std::uint32_t v = 0;
            EXPECT_TRUE(image.GetPixel(x, y, v));
            row += "0123456789abcdef"[v & 0x0F];
        }
        rows.push_back(row);
    }
    return rows;
}

struct RleCase {
    const char* name;
    int bits;
    int width;
    int height;
    Bytes codes;
    std::vector<std::string> rows;  // top row first
};

// Rows are coded bottom row first.
const std::vector<RleCase>& RleCases() {
    static const std::vector<RleCase> cases = {
        {"rle8 runs and end of line",
         8,
         4,
         2,
         {2, 1, 2, 2, 0, 0, /* next row */ 4, 3, 0, 1},
         {"3333", "1122"}},
        {"rle8 absolute run padded to a word",
         8,
         5,
         2,
         {0, 3, 4, 5, 6, 0, /* pad */ 2, 7, 0, 0, 1, 9, 0, 1},
         {"90000", "45677"}},
        {"rle8 delta skips right and up",
         8,
         4,
         3,
         {1, 1, 0, 2, 2, 1, 1, 2, 0, 1},
         {"0000", "0002", "1000"}},
        {"rle8 run past the right edge is cut", 8, 3, 2, {5, 4, 0, 0, 1, 5, 0, 1}, {"500", "444"}},
        {"rle8 codes past the top row are ignored", 8, 2, 1, {2, 6, 0, 0, 2, 7, 0, 1}, {"66"}},
        {"rle8 without end of bitmap", 8, 2, 2, {2, 8}, {"00", "88"}},
        {"rle8 absolute run cut short by the end of the data",
         8,
         4,
         1,
         {1, 5, 0, 4, 1, 2},
         {"5000"}},
        {"rle4 run alternates its nibbles", 4, 5, 1, {5, 0x1a, 0, 1}, {"1a1a1"}},
        {"rle4 absolute run padded to a word",
         4,
         6,
         2,
         {0, 5, 0x12, 0x34, 0x50, 0 /* pad */, 0, 0, 2, 0xcc, 0, 1},
         {"cc0000", "123450"}},
        {"rle4 odd start after a run", 4, 4, 1, {1, 0x70, 3, 0x89, 0, 1}, {"7898"}},
    };
    return cases;
}

TEST(BmpRle, CodesExpandIntoRows) {
    for (const RleCase& c : RleCases()) {
        const Bytes file = RleFile(c.width, c.height, c.bits, c.bits == 8 ? 1 : 2, c.codes);
        const Bytes block = ReadBmpDibBytes(file.data(), file.size());
        ASSERT_FALSE(block.empty()) << c.name;
        CDibImage image;
        ASSERT_TRUE(image.Attach(Bytes(block))) << c.name;
        EXPECT_EQ(image.Compression(), 0) << c.name;
        EXPECT_EQ(image.BitsPerPixel(), c.bits) << c.name;
        EXPECT_EQ(image.Palette().size(), 16u) << c.name;
        EXPECT_EQ(Rows(image), c.rows) << c.name;
    }
}

// Some writers leave the header's size 0: the codes then run to the end.
TEST(BmpRle, CodeSizeMissingFromTheHeader) {
    const Bytes file = RleFile(3, 1, 8, 1, {3, 9, 0, 1}, false);
    CDibImage image;
    ASSERT_TRUE(image.Attach(ReadBmpDibBytes(file.data(), file.size())));
    EXPECT_EQ(Rows(image), std::vector<std::string>{"999"});
}

TEST(BmpRle, RefusedBlocks) {
    // A few bytes describing a picture far beyond the limit.
    const Bytes huge = RleFile(60000, 60000, 8, 1, {0, 1});
    EXPECT_TRUE(ReadBmpDibBytes(huge.data(), huge.size()).empty());
    // RLE8 is only for 8-bit pictures, RLE4 only for 4-bit ones.
    const Bytes mismatched = RleFile(4, 1, 4, 1, {4, 1, 0, 1});
    EXPECT_TRUE(ReadBmpDibBytes(mismatched.data(), mismatched.size()).empty());
    // A plain block is not expanded.
    const Bytes plain = MakeInfoBlock(4, 1, 8, 0, 256);
    DibLayout layout;
    ASSERT_TRUE(DescribeDib(plain.data(), plain.size(), layout));
    EXPECT_TRUE(ExpandRunLengthDib(plain.data(), plain.size(), layout).empty());
}

// Opened as the document opens files: the picture comes out plain; a file
// whose pixels would stay compressed (here bit fields) is refused at once.
TEST(BmpRle, OpenedFromFile) {
    CTempDir dir;
    const Bytes rle = RleFile(4, 2, 8, 1, {4, 3, 0, 0, 4, 5, 0, 1});
    ASSERT_TRUE(WriteFileBytes(dir.File("rle.bmp"), rle));
    CDibImage image;
    ASSERT_TRUE(image.Load(dir.File("rle.bmp")));
    EXPECT_EQ(Rows(image), (std::vector<std::string>{"5555", "3333"}));
    EXPECT_TRUE(image.IsWritable());

    Bytes fields = RleFile(2, 1, 32, 3, Bytes(8, 0x40));
    ASSERT_TRUE(WriteFileBytes(dir.File("fields.bmp"), fields));
    EXPECT_FALSE(image.Load(dir.File("fields.bmp")));
    EXPECT_EQ(Rows(image), (std::vector<std::string>{"5555", "3333"}));  // kept
}

// ImageMagick writes RLE8 when asked to compress an 8-bit BMP: it must come
// out with the same pixels as the uncompressed file it was made from.
TEST(BmpRle, ImageMagickRle8MatchesThePlainFile) {
    KELVRA_SKIP_ON_WINDOWS("no POSIX shell to run Debian's ImageMagick through");
    if (!std::filesystem::exists("/usr/bin/convert")) {
        GTEST_SKIP() << "ImageMagick is not installed";
    }
    CTempDir dir;
    CDibImage plain;
    ASSERT_TRUE(plain.CreateBlank(37, 19, 8));
    std::array<RgbQuad, 256> grey{};
    for (int i = 0; i < 256; ++i) {
        grey[static_cast<std::size_t>(i)] = {static_cast<std::uint8_t>(i),
                                             static_cast<std::uint8_t>(i),
                                             static_cast<std::uint8_t>(i), 0};
    }
    plain.SetColorTable(grey);
    for (int y = 0; y < 19; ++y) {
        for (int x = 0; x < 37; ++x) {
            // Runs of one value and stretches of different ones.
            plain.SetPixel(x, y, x < 20 ? static_cast<std::uint32_t>(y * 8) : (x * 5 + y) & 0xFF);
        }
    }
    ASSERT_TRUE(plain.Save(dir.File("plain.bmp")));
    const std::string command = "/usr/bin/convert " + dir.File("plain.bmp") +
                                " -compress RLE BMP3:" + dir.File("rle.bmp") + " 2>/dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);
    const Bytes written = ReadFileBytes(dir.File("rle.bmp"));
    ASSERT_GT(written.size(), 54u);
    ASSERT_EQ(written[30], 1) << "ImageMagick did not write RLE8";
    CDibImage coded;
    ASSERT_TRUE(coded.Load(dir.File("rle.bmp")));
    ASSERT_EQ(coded.Width(), 37);
    ASSERT_EQ(coded.Height(), 19);
    for (int y = 0; y < 19; ++y) {
        for (int x = 0; x < 37; ++x) {
            ASSERT_EQ(PixelOf(coded, x, y) & 0xFF, PixelOf(plain, x, y) & 0xFF) << x << "," << y;
        }
    }
}

}  // namespace
