// kelvra-cli animate as a user runs it: the GIF's frames are render's
// pictures in observation-time order, with the delay and loop count asked
// for; a folder gets numbered PNGs; bad arguments and unreadable frames
// leave no file. In a build without the render layer the verb does not exist
// and these tests skip.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/ByteOrder.h"
#include "support/CliRunner.h"
#include "support/GifReadBack.h"
#include "support/TestSupport.h"

namespace {

// The pixels of a 24-bit BMP, top row first, as 0x00RRGGBB.
std::vector<std::uint32_t> BmpPixels(const std::vector<std::uint8_t>& bmp) {
    const std::uint32_t width = ReadUInt32LE(bmp.data() + 18);
    const std::uint32_t height = ReadUInt32LE(bmp.data() + 22);
    const std::size_t stride = (width * 3 + 3) / 4 * 4;
    std::vector<std::uint32_t> pixels;
    for (std::uint32_t y = 0; y < height; ++y) {
        const std::size_t row = ReadUInt32LE(bmp.data() + 10) + (height - 1 - y) * stride;
        for (std::uint32_t x = 0; x < width; ++x) {
            const std::uint8_t* p = &bmp[row + x * 3];
            pixels.push_back(std::uint32_t{p[2]} << 16 | std::uint32_t{p[1]} << 8 | p[0]);
        }
    }
    return pixels;
}

bool IsGrey(std::uint32_t c) {
    return (c >> 16 & 0xFF) == (c >> 8 & 0xFF) && (c >> 8 & 0xFF) == (c & 0xFF);
}

class CliAnimateTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (RunIn(m_dir.Path(), "animate").out.find("unknown verb") != std::string::npos) {
            GTEST_SKIP() << "kelvra-cli was built without the render layer";
        }
        // Named against their times: a.AWX is the latest.
        const char* times[] = {"202203311200", "202203311100", "202203311000"};
        for (int i = 0; i < 3; ++i) {
            const std::string path =
                m_dir.File(std::string(1, static_cast<char>('a' + i)) + ".AWX");
            ASSERT_EQ(
                RunIn(m_dir.Path(), "synth " + path + " --size 160x120 --time " + times[i]).status,
                0);
        }
        m_inputs = m_dir.File("a.AWX") + " " + m_dir.File("b.AWX") + " " + m_dir.File("c.AWX");
        m_timeOrder = {m_dir.File("c.AWX"), m_dir.File("b.AWX"), m_dir.File("a.AWX")};
    }

    CTempDir m_dir;
    std::string m_inputs;
    std::vector<std::string> m_timeOrder;
};

TEST_F(CliAnimateTest, FramesAreRendersPicturesInTimeOrder) {
    std::ofstream(m_dir.File("white.lut")) << "BK 0 x 2 0 255 256 255\n";
    const struct {
        const char* name;
        std::string options;
        bool exact;  // at most 256 colours: every pixel; else the overlays'
    } cases[] = {
        {"few colours", "--palette " + m_dir.File("white.lut") + " --provinces", true},
        {"grey image under every overlay", "--provinces --isotherms --legend", false},
    };
    for (const auto& c : cases) {
        const std::string gif = m_dir.File("loop.gif");
        ASSERT_EQ(RunIn(m_dir.Path(), "animate " + m_inputs + " -o " + gif + " --delay 300 " +
                                          "--loop 2 " + c.options)
                      .status,
                  0)
            << c.name;
        const GifReadBack back = ReadGifBack(gif);
        ASSERT_TRUE(back.ok) << c.name;
        EXPECT_EQ(back.loopCount, 2);
        ASSERT_EQ(back.frames.size(), 3u) << c.name;
        for (std::size_t i = 0; i < 3; ++i) {
            EXPECT_EQ(back.delays[i], 30);
            const std::string bmp = m_dir.File("r" + std::to_string(i) + ".bmp");
            ASSERT_EQ(
                RunIn(m_dir.Path(), "render " + m_timeOrder[i] + " -o " + bmp + " " + c.options)
                    .status,
                0);
            const std::vector<std::uint32_t> rendered = BmpPixels(ReadFileBytes(bmp));
            ASSERT_EQ(rendered.size(), back.frames[i].size());
            for (std::size_t p = 0; p < rendered.size(); ++p) {
                if (c.exact || !IsGrey(rendered[p])) {
                    ASSERT_EQ(back.frames[i][p], rendered[p]) << c.name << " frame " << i;
                } else {
                    ASSERT_LE(std::abs(int(back.frames[i][p] & 0xFF) - int(rendered[p] & 0xFF)), 2);
                }
            }
        }
    }
}

TEST_F(CliAnimateTest, FolderGetsNumberedPngs) {
    ASSERT_EQ(RunIn(m_dir.Path(), "animate " + m_inputs + " -o frames/").status, 0);
    for (const char* name : {"frame_001.png", "frame_002.png", "frame_003.png"}) {
        const std::vector<std::uint8_t> png =
            ReadFileBytes(m_dir.File(std::string("frames/") + name));
        ASSERT_GT(png.size(), 8u) << name;
        EXPECT_EQ(png[1], 'P') << name;
    }
    EXPECT_FALSE(std::filesystem::exists(m_dir.File("frames/frame_004.png")));
}

// A frame folder holds its old loop or the whole new one, never a mixture;
// a failed run changes nothing and leaves nothing beside it, not even a
// folder it would have made; a folder holding anything else is refused.
TEST_F(CliAnimateTest, FolderHoldsTheOldLoopOrTheNewOne) {
    const std::vector<std::string> oldLoop = {"frame_001.png", "frame_002.png", "frame_003.png",
                                              "frame_004.png", "frame_005.png"};
    const std::vector<std::string> newLoop = {"frame_001.png", "frame_002.png", "frame_003.png"};
    const std::vector<std::string> foreign = {"frame_001.png", "notes.txt"};
    const std::string missing = " " + m_dir.File("missing.AWX");
    const struct {
        const char* what;
        std::vector<std::string> before;  // empty: no folder
        std::string extra;                // more arguments
        int status;
        std::vector<std::string> after;  // empty: no folder
    } cases[] = {
        {"new folder", {}, "", 0, newLoop},
        {"over a longer older loop", oldLoop, "", 0, newLoop},
        {"failed rerun", oldLoop, missing, 1, oldLoop},
        {"failed first run", {}, missing, 1, {}},
        {"folder holding other files", foreign, "", 1, foreign},
    };
    for (const auto& c : cases) {
        const std::string folder = m_dir.File("frames");
        std::filesystem::remove_all(folder);
        if (!c.before.empty()) {
            std::filesystem::create_directory(folder);
        }
        for (const std::string& name : c.before) {
            ASSERT_TRUE(WriteFileBytes(folder + "/" + name, {'o', 'l', 'd'}));
        }
        EXPECT_EQ(
            RunIn(m_dir.Path(), "animate " + m_inputs + c.extra + " -o " + folder + "/").status,
            c.status)
            << c.what;
        EXPECT_EQ(std::filesystem::exists(folder), !c.after.empty()) << c.what;
        std::vector<std::string> after;
        if (std::filesystem::exists(folder)) {
            for (const auto& entry : std::filesystem::directory_iterator(folder)) {
                after.push_back(entry.path().filename().string());
            }
        }
        std::sort(after.begin(), after.end());
        EXPECT_EQ(after, c.after) << c.what;
        for (const std::string& name : after) {
            const std::vector<std::uint8_t> bytes = ReadFileBytes(folder + "/" + name);
            const bool isOld = bytes == std::vector<std::uint8_t>{'o', 'l', 'd'};
            EXPECT_EQ(isOld, c.status != 0) << c.what << " " << name;
        }
        for (const auto& entry : std::filesystem::directory_iterator(m_dir.Path())) {
            EXPECT_NE(entry.path().filename().string()[0], '.') << c.what << " left " << entry;
        }
    }
}

TEST_F(CliAnimateTest, BadArgumentsAndUnreadableFramesLeaveNoFile) {
    const std::string gif = m_dir.File("out.gif");
    const struct {
        std::string arguments;
        int status;
    } cases[] = {
        {"", 2},
        {m_inputs, 2},
        {m_inputs + " -o " + m_dir.File("out.bmp"), 2},
        {m_inputs + " -o " + gif + " --delay 5", 2},
        {m_inputs + " -o " + gif + " --delay soon", 2},
        {m_inputs + " -o " + gif + " --loop -1", 2},
        {m_inputs + " -o " + gif + " --loop 70000", 2},
        {m_inputs + " -o " + gif + " --bogus", 2},
        {m_inputs + " -o " + gif + " --palette nosuch", 1},
        {m_inputs + " " + m_dir.File("missing.AWX") + " -o " + gif, 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RunIn(m_dir.Path(), "animate " + c.arguments).status, c.status) << c.arguments;
        EXPECT_FALSE(std::filesystem::exists(gif)) << c.arguments;
        EXPECT_FALSE(std::filesystem::exists(m_dir.File("out.bmp"))) << c.arguments;
    }
}

}  // namespace
