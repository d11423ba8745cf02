// Animated GIFs as a browser reads them: frame count, size, delay and loop
// count read back with giflib; pixels exact up to 256 colours, overlay
// colours exact beyond; a cancelled or failed loop leaves no file.

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "image/GifLoop.h"
#include "image/GifWriter.h"
#include "support/GifReadBack.h"
#include "support/TestSupport.h"

namespace {

constexpr std::uint32_t kRed = 0xFF0000;
constexpr std::uint32_t kYellow = 0xFFFF00;
constexpr std::uint32_t kMidGrey = 0x808080;

// A composed picture and the 8-bit image under it (grey table).
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> indices;
    std::vector<std::uint32_t> rgb;
    std::array<std::uint32_t, kGifColours> table{};

    Picture(int w, int h, int levels, int seed) : width(w), height(h) {
        for (int i = 0; i < kGifColours; ++i) {
            table[static_cast<std::size_t>(i)] = static_cast<std::uint32_t>(i) * 0x010101;
        }
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                const int index = ((x * 7 + y * 13 + seed) % levels) * (256 / levels);
                indices.push_back(static_cast<std::uint8_t>(index));
                rgb.push_back(0xFF000000 | table[static_cast<std::size_t>(index)]);
            }
        }
    }
    // An overlay pixel: a colour over the image.
    void Draw(int x, int y, std::uint32_t colour) {
        rgb[static_cast<std::size_t>(y * width + x)] = 0xFF000000 | colour;
    }
    LoopPicture View() const {
        LoopPicture view;
        view.picture = {rgb.data(), width, width, height};
        view.base.top = indices.data();
        view.base.stride = width;
        view.base.width = width;
        view.base.height = height;
        view.base.colours = table;
        return view;
    }
    std::uint32_t At(std::size_t i) const { return rgb[i] & 0xFFFFFF; }
};

LoopExportResult Write(const std::string& path, const std::vector<Picture>& pictures,
                       GifLoopSettings settings, const LoopProgress& progress = LoopProgress()) {
    return WriteGifLoop(
        path, static_cast<int>(pictures.size()),
        [&pictures](int i, LoopPicture& view) {
            view = pictures[static_cast<std::size_t>(i)].View();
            return true;
        },
        settings, progress);
}

int ChannelError(std::uint32_t a, std::uint32_t b) {
    int worst = 0;
    for (int shift : {0, 8, 16}) {
        worst = std::max(worst, std::abs(static_cast<int>(a >> shift & 0xFF) -
                                         static_cast<int>(b >> shift & 0xFF)));
    }
    return worst;
}

TEST(GifLoop, FramesSizeDelayAndLoopCountReadBack) {
    const struct {
        int frames, width, height, delayMs, loop;
    } cases[] = {
        {3, 7, 5, 200, 0},
        {1, 1, 1, 5, 3},
        {2, 33, 2, 655350, 65535},
    };
    for (const auto& c : cases) {
        CTempDir dir;
        std::vector<Picture> pictures;
        for (int i = 0; i < c.frames; ++i) {
            pictures.emplace_back(c.width, c.height, 8, i);
        }
        GifLoopSettings settings;
        settings.delayCentiseconds = GifDelayOf(c.delayMs);
        settings.loopCount = c.loop;
        ASSERT_EQ(Write(dir.File("loop.gif"), pictures, settings), LoopExportResult::kWritten);
        const GifReadBack back = ReadGifBack(dir.File("loop.gif"));
        ASSERT_TRUE(back.ok);
        EXPECT_EQ(back.width, c.width);
        EXPECT_EQ(back.height, c.height);
        EXPECT_EQ(back.loopCount, c.loop);
        ASSERT_EQ(back.frames.size(), static_cast<std::size_t>(c.frames));
        for (int i = 0; i < c.frames; ++i) {
            EXPECT_EQ(back.delays[static_cast<std::size_t>(i)], GifDelayOf(c.delayMs));
            for (std::size_t p = 0; p < back.frames[static_cast<std::size_t>(i)].size(); ++p) {
                ASSERT_EQ(back.frames[static_cast<std::size_t>(i)][p],
                          pictures[static_cast<std::size_t>(i)].At(p));
            }
        }
    }
}

// Overlays drawn over a picture: exact whatever the image's colours; the
// image's colours exact up to 256 in all, else within a step of the ramp.
TEST(GifLoop, OverlayColoursStayExact) {
    const struct {
        const char* name;
        int levels;
        bool legend;  // every table colour drawn as an overlay too
        int imageError;
    } cases[] = {
        {"few colours", 16, false, 0},
        {"whole grey ramp", 256, false, 2},
        {"legend repeating the table", 256, true, 2},
    };
    for (const auto& c : cases) {
        Picture picture(64, 64, c.levels, 0);
        std::set<std::size_t> overlay;
        for (int x = 0; x < 64; ++x) {
            picture.Draw(x, 3, kRed);
            picture.Draw(x, 9, kYellow);
            picture.Draw(3, x, kMidGrey);
            overlay.insert({static_cast<std::size_t>(3 * 64 + x),
                            static_cast<std::size_t>(9 * 64 + x),
                            static_cast<std::size_t>(x * 64 + 3)});
        }
        if (c.legend) {
            for (int i = 0; i < 256; ++i) {
                // Single swatches: a neighbouring entry will do for them.
                picture.Draw(i % 64, 40 + i / 64, picture.table[static_cast<std::size_t>(255 - i)]);
                overlay.erase(static_cast<std::size_t>((40 + i / 64) * 64 + i % 64));
            }
        }
        CTempDir dir;
        ASSERT_EQ(Write(dir.File("o.gif"), {picture}, GifLoopSettings()),
                  LoopExportResult::kWritten);
        const GifReadBack back = ReadGifBack(dir.File("o.gif"));
        ASSERT_EQ(back.frames.size(), 1u) << c.name;
        int worst = 0;
        for (std::size_t p = 0; p < back.frames[0].size(); ++p) {
            if (overlay.count(p) != 0) {
                ASSERT_EQ(back.frames[0][p], picture.At(p)) << c.name << " pixel " << p;
            } else {
                worst = std::max(worst, ChannelError(back.frames[0][p], picture.At(p)));
            }
        }
        EXPECT_LE(worst, c.imageError) << c.name;
    }
}

TEST(GifLoop, CancelOrFailureLeavesNoFile) {
    const struct {
        const char* name;
        int cancelAfter;  // frames written before the cancel; -1 none
        int failingFrame;
        LoopExportResult result;
    } cases[] = {
        {"cancelled after two frames", 2, -1, LoopExportResult::kCancelled},
        {"cancelled at the last frame", 4, -1, LoopExportResult::kCancelled},
        {"third picture cannot be made", -1, 2, LoopExportResult::kPictureFailed},
    };
    for (const auto& c : cases) {
        CTempDir dir;
        const std::string target = dir.File("loop.gif");
        ASSERT_TRUE(WriteFileBytes(target, {'o', 'l', 'd'}));
        const std::vector<Picture> pictures(4, Picture(16, 16, 8, 0));
        const LoopExportResult result = WriteGifLoop(
            target, 4,
            [&](int i, LoopPicture& view) {
                view = pictures[static_cast<std::size_t>(i)].View();
                return i != c.failingFrame;
            },
            GifLoopSettings(), [&](int done, int) { return done != c.cancelAfter; });
        EXPECT_EQ(result, c.result) << c.name;
        EXPECT_EQ(ReadFileBytes(target), (std::vector<std::uint8_t>{'o', 'l', 'd'})) << c.name;
        int files = 0;
        for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.Path())) {
            ++files;
        }
        EXPECT_EQ(files, 1) << c.name;
    }
}

}  // namespace
