// kelvra-cli render as a user runs it. In a build without the render layer
// the verb does not exist and these tests skip.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "support/CliRunner.h"
#include "support/TestSupport.h"

namespace {

// Runs kelvra-cli in the given folder; stdout and stderr together.
CliResult RunIn(const std::string& directory, const std::string& arguments) {
    return RunShell("cd '" + directory + "' && " + std::string(KELVRA_CLI) + " " + arguments +
                    " 2>&1");
}

std::uint32_t Le32(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
    return bytes[offset] | bytes[offset + 1] << 8 | bytes[offset + 2] << 16 |
           static_cast<std::uint32_t>(bytes[offset + 3]) << 24;
}

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
    EXPECT_EQ(Le32(bmp, 14), 40u);
    EXPECT_EQ(Le32(bmp, 18), 320u);
    EXPECT_EQ(Le32(bmp, 22), 240u);
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
    for (std::size_t i = Le32(bmp, 10); i < bmp.size(); ++i) {
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
    const std::size_t first = Le32(b, 10);
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

}  // namespace
