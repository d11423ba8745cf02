// Files written by other software (Pillow, ImageMagick) load with the right
// pixels, and Pillow reads what this system writes. Skipped when the tools
// are not installed.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "DibTestBlocks.h"
#include "image/CDibImage.h"
#include "support/TestSupport.h"

namespace {

constexpr const char* kPython = "/usr/bin/python3";
constexpr const char* kMagick = "/usr/bin/convert";
constexpr int kWidth = 23;
constexpr int kHeight = 11;

// The same picture as PatternColour, and a smooth one for JPEG.
constexpr const char* kPatternPython = R"(
import sys
from PIL import Image
W, H = 23, 11
def pattern(x, y):
    return ((x * 7 + y) & 255, (y * 5) & 255, ((x ^ y) * 3) & 255)
def smooth(x, y):
    return (x * 8, y * 16, (x + y) * 5)
)";

bool PillowAvailable() {
    return std::filesystem::exists(kPython) &&
           std::system((std::string(kPython) + " -c 'import PIL' >/dev/null 2>&1").c_str()) == 0;
}

bool RunPython(const CTempDir& dir, const std::string& body, std::string* output = nullptr) {
    const std::string script = dir.File("script.py");
    std::ofstream(script) << kPatternPython << body;
    const std::string out = dir.File("script.out");
    const std::string command =
        std::string(kPython) + " " + script + " " + dir.Path() + " > " + out + " 2>&1";
    const bool ok = std::system(command.c_str()) == 0;
    if (output) {
        std::ifstream in(out);
        std::stringstream text;
        text << in.rdbuf();
        *output = text.str();
    }
    return ok;
}

std::uint32_t Smooth(int x, int y) {
    return static_cast<std::uint32_t>(x * 8) | (static_cast<std::uint32_t>(y * 16) << 8) |
           (static_cast<std::uint32_t>((x + y) * 5) << 16);
}

int Difference(std::uint32_t a, std::uint32_t b) {
    int worst = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        worst = std::max(worst, std::abs(static_cast<int>((a >> shift) & 0xFF) -
                                         static_cast<int>((b >> shift) & 0xFF)));
    }
    return worst;
}

// Largest channel difference between the loaded file and the expected picture.
int WorstDifference(const std::string& path, std::uint32_t (*expected)(int, int)) {
    CDibImage image;
    if (!image.Load(path) || image.Width() != kWidth || image.Height() != kHeight) {
        return 1000;
    }
    int worst = 0;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            worst = std::max(worst, Difference(PixelOf(image, x, y), expected(x, y)));
        }
    }
    return worst;
}

TEST(ForeignFiles, PillowFilesLoad) {
    if (!PillowAvailable()) {
        GTEST_SKIP() << "/usr/bin/python3 with Pillow not available";
    }
    CTempDir dir;
    std::string log;
    ASSERT_TRUE(RunPython(dir, R"(
d = sys.argv[1]
rgb = Image.new('RGB', (W, H))
rgb.putdata([pattern(x, y) for y in range(H) for x in range(W)])
rgb.save(d + '/pil24.bmp')
rgb.save(d + '/pil_bottom.tga')
rgb.save(d + '/pil_top.tga', orientation=1)
rgba = rgb.convert('RGBA')
rgba.putalpha(128)
rgba.save(d + '/pil32.tga')
p = Image.new('P', (W, H))
p.putpalette([c for i in range(256) for c in (i, 255 - i, i // 2)])
p.putdata([(x * 7 + y) & 255 for y in range(H) for x in range(W)])
p.save(d + '/pil8.bmp')
s = Image.new('RGB', (W, H))
s.putdata([smooth(x, y) for y in range(H) for x in range(W)])
s.save(d + '/pil.jpg', quality=100, subsampling=0)
s.convert('L').save(d + '/pil_grey.jpg', quality=100)
)",
                          &log))
        << log;
    for (const char* name : {"pil24.bmp", "pil_bottom.tga", "pil_top.tga", "pil32.tga"}) {
        EXPECT_EQ(WorstDifference(dir.File(name), PatternColour), 0) << name;
    }
    EXPECT_LE(WorstDifference(dir.File("pil.jpg"), Smooth), 4);

    // A one-component JPEG still loads as a 24-bit image, grey in all three bytes.
    CDibImage grey;
    ASSERT_TRUE(grey.Load(dir.File("pil_grey.jpg")));
    EXPECT_EQ(grey.BitsPerPixel(), 24);
    const std::uint32_t v = PixelOf(grey, 9, 4);
    EXPECT_EQ(v & 0xFF, (v >> 8) & 0xFF);
    EXPECT_EQ(v & 0xFF, (v >> 16) & 0xFF);

    CDibImage indexed;
    ASSERT_TRUE(indexed.Load(dir.File("pil8.bmp")));
    ASSERT_TRUE(indexed.IsEightBit());
    EXPECT_EQ(PixelOf(indexed, 5, 3) & 0xFF, (5u * 7 + 3) & 0xFF);
    ASSERT_GE(indexed.Palette().size(), 200u);
    EXPECT_EQ(indexed.Palette()[200], 200u | (55u << 8) | (100u << 16));
}

TEST(ForeignFiles, ImageMagickFilesLoad) {
    KELVRA_SKIP_ON_WINDOWS("no POSIX shell to run Debian's ImageMagick through");
    if (!std::filesystem::exists(kMagick)) {
        GTEST_SKIP() << "ImageMagick convert not available";
    }
    CTempDir dir;
    // ImageMagick converts our own BMP into its formats. Its 6.9.11 TGA writer
    // stores top rows first under a bottom-left descriptor unless told the
    // orientation (Pillow reads those upside down as well), so say it.
    ASSERT_TRUE(PatternImage(kWidth, kHeight, 24).Save(dir.File("ours.bmp")));
    const std::string source = dir.File("ours.bmp");
    for (const std::string& target :
         {"BMP3:" + dir.File("im.bmp"), "-orient top-left " + dir.File("im.tga")}) {
        const std::string command =
            std::string(kMagick) + " " + source + " " + target + " >/dev/null 2>&1";
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
    }
    EXPECT_EQ(WorstDifference(dir.File("im.bmp"), PatternColour), 0);
    EXPECT_EQ(WorstDifference(dir.File("im.tga"), PatternColour), 0);
}

TEST(ForeignFiles, PillowReadsOurFiles) {
    if (!PillowAvailable()) {
        GTEST_SKIP() << "/usr/bin/python3 with Pillow not available";
    }
    CTempDir dir;
    CDibImage pattern = PatternImage(kWidth, kHeight, 24);
    ASSERT_TRUE(pattern.Save(dir.File("ours.bmp")));
    ASSERT_TRUE(pattern.Save(dir.File("ours.tga")));
    CDibImage smooth;
    ASSERT_TRUE(smooth.CreateBlank(kWidth, kHeight, 24));
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            smooth.SetPixel(x, y, Smooth(x, y));
        }
    }
    ASSERT_TRUE(smooth.Save(dir.File("ours.jpg")));
    CDibImage grey = PatternImage(kWidth, kHeight, 8);
    std::array<RgbQuad, 256> ramp{};
    for (int i = 0; i < 256; ++i) {
        const auto v = static_cast<std::uint8_t>(i);
        ramp[static_cast<std::size_t>(i)] = RgbQuad{v, v, v, 0};
    }
    ASSERT_TRUE(grey.SetColorTable(ramp));
    ASSERT_TRUE(grey.Save(dir.File("ours8.bmp")));

    std::string report;
    ASSERT_TRUE(RunPython(dir, R"(
d = sys.argv[1]
def worst(name, expected):
    im = Image.open(d + '/' + name).convert('RGB')
    assert im.size == (W, H), im.size
    return max(abs(a - b) for y in range(H) for x in range(W)
               for a, b in zip(im.getpixel((x, y)), expected(x, y)))
print(worst('ours.bmp', pattern), worst('ours.tga', pattern), worst('ours.jpg', smooth),
      worst('ours8.bmp', lambda x, y: ((x * 7 + y) & 255,) * 3))
)",
                          &report))
        << report;
    std::istringstream figures(report);
    int bmp = -1, tga = -1, jpeg = -1, indexed = -1;
    figures >> bmp >> tga >> jpeg >> indexed;
    EXPECT_EQ(bmp, 0) << report;
    EXPECT_EQ(tga, 0) << report;
    EXPECT_LE(jpeg, 8) << report;
    EXPECT_EQ(indexed, 0) << report;
}

}  // namespace
