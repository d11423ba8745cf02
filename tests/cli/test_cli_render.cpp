// kelvra-cli render as a user runs it. In a build without the render layer
// the verb does not exist and these tests skip.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/ByteOrder.h"
#include "support/CliRunner.h"
#include "support/TestSupport.h"

namespace {

class CliRenderTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (RunIn(m_dir.Path(), "render").out.find("unknown verb") != std::string::npos) {
            GTEST_SKIP() << "kelvra-cli was built without the render layer";
        }
        std::filesystem::create_directory(m_dir.File("dat"));
        m_product = m_dir.File("p.AWX");
        ASSERT_EQ(RunIn(m_dir.Path(), "synth " + m_product + " --size 320x240").status, 0);
    }

    CTempDir m_dir;
    std::string m_product;
};

TEST_F(CliRenderTest, SavesATwentyFourBitPictureOfTheImageSize) {
    const std::string out = m_dir.File("out.bmp");
    ASSERT_EQ(RunIn(m_dir.Path(), "render " + m_product + " -o " + out + " --provinces").status, 0);
    const std::vector<std::uint8_t> bmp = ReadFileBytes(out);
    ASSERT_GE(bmp.size(), 54u);
    EXPECT_EQ(ReadUInt32LE(bmp.data() + 14), 40u);
    EXPECT_EQ(ReadUInt32LE(bmp.data() + 18), 320u);
    EXPECT_EQ(ReadUInt32LE(bmp.data() + 22), 240u);
    EXPECT_EQ(bmp[28], 24);
}

TEST_F(CliRenderTest, PaletteByNameFromTheDataFolder) {
    std::ofstream(m_dir.File("dat/gray1.lut")) << "BK 0 x 2 0 255 256 255\n";
    const std::string out = m_dir.File("white.bmp");
    ASSERT_EQ(RunIn(m_dir.Path(), "render " + m_product + " -o " + out +
                                      " --palette gray1 --no-map --no-grid --no-title")
                  .status,
              0);
    const std::vector<std::uint8_t> bmp = ReadFileBytes(out);
    ASSERT_GT(bmp.size(), 54u);
    for (std::size_t i = ReadUInt32LE(bmp.data() + 10); i < bmp.size(); ++i) {
        ASSERT_EQ(bmp[i], 255) << i;
    }
}

TEST_F(CliRenderTest, PlainPictureIsRenderedAlone) {
    const std::string first = m_dir.File("first.bmp");
    const std::string second = m_dir.File("second.bmp");
    ASSERT_EQ(RunIn(m_dir.Path(), "render " + m_product + " -o " + first).status, 0);
    // A BMP carries no product: no map, grid or title is added to it.
    const CliResult again =
        RunIn(m_dir.Path(), "render " + first + " -o " + second + " --provinces");
    EXPECT_EQ(again.status, 0);
    EXPECT_EQ(ReadFileBytes(second), ReadFileBytes(first));
}

// The legend is drawn only when asked for: a white strip at the bottom left.
TEST_F(CliRenderTest, LegendOnlyWhenAsked) {
    const std::string plain = m_dir.File("plain.bmp");
    const std::string legend = m_dir.File("legend.bmp");
    ASSERT_EQ(RunIn(m_dir.Path(), "render " + m_product + " -o " + plain).status, 0);
    ASSERT_EQ(RunIn(m_dir.Path(), "render " + m_product + " -o " + legend + " --legend").status, 0);
    const std::vector<std::uint8_t> a = ReadFileBytes(plain);
    const std::vector<std::uint8_t> b = ReadFileBytes(legend);
    ASSERT_EQ(a.size(), b.size());
    // The first stored row is the picture's bottom row; its first pixel is
    // white only under the legend.
    const std::size_t first = ReadUInt32LE(b.data() + 10);
    EXPECT_EQ(b[first] & b[first + 1] & b[first + 2], 255);
    EXPECT_NE(a[first] & a[first + 1] & a[first + 2], 255);
    // The top rows, far above the strip, are the same.
    const std::size_t stride = 320 * 3;
    EXPECT_TRUE(std::equal(a.end() - stride * 100, a.end(), b.end() - stride * 100));
}

TEST_F(CliRenderTest, FailuresAndBadArguments) {
    const CliResult missing = RunIn(m_dir.Path(), "render nothing.awx -o " + m_dir.File("x.bmp"));
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.out.find("打开文档失败。"), std::string::npos);

    const CliResult unsaved =
        RunIn(m_dir.Path(), "render " + m_product + " -o " + m_dir.File("x.awx"));
    EXPECT_EQ(unsaved.status, 1);
    EXPECT_NE(unsaved.out.find("保存文档失败。"), std::string::npos);

    EXPECT_EQ(RunIn(m_dir.Path(), "render " + m_product).status, 2);
    EXPECT_EQ(RunIn(m_dir.Path(), "render " + m_product + " -o x.bmp --region two").status, 2);
    EXPECT_EQ(RunIn(m_dir.Path(), "render " + m_product + " -o x.bmp --bogus").status, 2);
}

// What render says on stderr and how it ends: nothing on a clean run with
// the shipped data, each unusable data file once, and a failure for inputs
// that were asked for explicitly but cannot be used.
TEST_F(CliRenderTest, StderrAndExitStatusTellWhatWasMissing) {
    CTempDir shipped;  // no dat here: the build tree's copy of the data is used
    const std::string product = shipped.File("FY2G_LCN_IR1_202203311300.AWX");
    ASSERT_EQ(RunIn(shipped.Path(), "synth " + product + " --size 320x240").status, 0);
    const struct {
        const char* what;
        std::string folder;
        std::string options;
        int status;
        std::vector<std::string> said;  // in stderr, each exactly once
    } cases[] = {
        {"shipped data", shipped.Path(), "", 0, {}},
        {"empty data folder",
         m_dir.Path(),
         "",
         0,
         {"WORLD.LNB", "CHINAM.MPB", "RIVER.LNB", "region.txt"}},
        {"unreadable palette", shipped.Path(), " --palette nosuch", 1, {"cannot be read"}},
        {"refused NWP file", shipped.Path(), " --nwp " + product, 1, {"refused"}},
        {"bad NWP option", shipped.Path(), " --nwp-style 9", 2, {"wants 0 to 4"}},
    };
    for (const auto& c : cases) {
        const std::string err = c.folder + "/err.txt";
        const std::string input = c.folder == shipped.Path() ? product : m_product;
        const CliResult r = RunShell("cd '" + c.folder + "' && " + std::string(KELVRA_CLI) +
                                     " render " + input + " -o out.bmp" + c.options + " 2>" + err);
        EXPECT_EQ(r.status, c.status) << c.what;
        std::ifstream in(err);
        const std::string text((std::istreambuf_iterator<char>(in)),
                               std::istreambuf_iterator<char>());
        if (c.said.empty()) {
            EXPECT_EQ(text, "") << c.what;
        }
        for (const std::string& word : c.said) {
            const std::size_t at = text.find(word);
            EXPECT_NE(at, std::string::npos) << c.what << ": " << word;
            EXPECT_EQ(text.find(word, at + 1), std::string::npos) << c.what << ": " << word << "\n"
                                                                  << text;
        }
    }
}

TEST_F(CliRenderTest, PrecipitationDrawsRainAndItsLegend) {
    CTempDir pair;
    for (const char* channel : {"1", "2"}) {
        const std::string name = std::string("FY2G_LCN_IR") + channel + "_202203311300.AWX";
        ASSERT_EQ(
            RunIn(pair.Path(), "synth " + pair.File(name) + " --size 800x600 --channel " + channel)
                .status,
            0);
    }
    const std::string input =
        pair.File("FY2G_LCN_IR2_202203311300.AWX");  // either file of the pair
    ASSERT_EQ(RunIn(pair.Path(), "render " + input +
                                     " -o rain.bmp --precip --no-map --no-grid "
                                     "--no-title")
                  .status,
              0);
    ASSERT_EQ(RunIn(pair.Path(), "render " + input + " -o plain.bmp --no-map --no-grid --no-title")
                  .status,
              0);
    const std::vector<std::uint8_t> rain = ReadFileBytes(pair.File("rain.bmp"));
    const std::vector<std::uint8_t> plain = ReadFileBytes(pair.File("plain.bmp"));
    ASSERT_EQ(rain.size(), plain.size());
    EXPECT_NE(rain, plain);
    // Bottom-up rows: the first stored row is the picture's last, where the
    // legend's white box begins at the left edge.
    const std::size_t first = ReadUInt32LE(rain.data() + 10);
    EXPECT_EQ(rain[first], 255);
    EXPECT_EQ(rain[first + 1], 255);
    EXPECT_EQ(rain[first + 2], 255);
}

// The title is written with the face the shipped font list names, and
// nothing of its colour is drawn without it.
TEST_F(CliRenderTest, TitleIsWrittenUnlessTurnedOff) {
    CTempDir shipped;
    const std::string product = shipped.File("FY2G_LCN_IR1_202203311300.AWX");
    ASSERT_EQ(RunIn(shipped.Path(), "synth " + product + " --size 320x240").status, 0);
    const auto titlePixels = [&](const std::string& options) {
        EXPECT_EQ(RunIn(shipped.Path(), "render " + product + " -o t.bmp" + options).status, 0);
        const std::vector<std::uint8_t> bmp = ReadFileBytes(shipped.File("t.bmp"));
        std::size_t count = 0;
        for (std::size_t p = bmp.size() < 54 ? bmp.size() : ReadUInt32LE(bmp.data() + 10);
             p + 2 < bmp.size(); p += 3) {
            count += bmp[p] == 64 && bmp[p + 1] == 64 && bmp[p + 2] == 232;
        }
        return count;
    };
    EXPECT_GT(titlePixels(""), 50u);
    EXPECT_EQ(titlePixels(" --no-title"), 0u);
}

// Real products wider or taller than 2048 pixels open geolocated and get
// their coastlines (the world map's green) from the shipped data.
TEST_F(CliRenderTest, WideProductsRenderWithTheirCoastlines) {
    CTempDir shipped;
    const struct {
        const char* what;
        const char* synth;
        std::uint32_t width, height;
    } cases[] = {
        {"FY-2G Mercator", "--projection 2 --size 2228x1100 --center 104.5,20 --resolution 5", 2228,
         1100},
        {"4000 x 3000", "--size 4000x3000 --center 110,30 --resolution 0.02", 4000, 3000},
    };
    for (const auto& c : cases) {
        const std::string product = shipped.File("wide.AWX");
        ASSERT_EQ(RunIn(shipped.Path(), "synth " + product + " " + c.synth).status, 0) << c.what;
        ASSERT_EQ(RunIn(shipped.Path(), "render " + product + " -o wide.bmp").status, 0) << c.what;
        const std::vector<std::uint8_t> bmp = ReadFileBytes(shipped.File("wide.bmp"));
        ASSERT_GT(bmp.size(), 54u) << c.what;
        EXPECT_EQ(ReadUInt32LE(bmp.data() + 18), c.width) << c.what;
        EXPECT_EQ(ReadUInt32LE(bmp.data() + 22), c.height) << c.what;
        std::size_t coast = 0;
        for (std::size_t p = ReadUInt32LE(bmp.data() + 10); p + 2 < bmp.size(); p += 3) {
            coast += bmp[p] == 128 && bmp[p + 1] == 255 && bmp[p + 2] == 128;
        }
        EXPECT_GT(coast, 1000u) << c.what;
    }
}

}  // namespace
