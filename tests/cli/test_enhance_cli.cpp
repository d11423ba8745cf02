// kelvra-cli enhance: operations in order, the document's failure texts, and
// nothing written when an operation fails.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "image/CDibImage.h"
#include "support/CliRunner.h"
#include "support/TestSupport.h"

namespace {

// stdout and stderr together
CliResult RunEnhanceCli(const std::string& arguments) {
    return RunCli("enhance " + arguments + " 2>&1");
}

std::string GreyBmp(const CTempDir& dir, int level) {
    CDibImage image;
    image.CreateBlank(4, 3, 8);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 4; ++x) {
            image.SetPixel(x, y, static_cast<std::uint32_t>(level));
        }
    }
    const std::string path = dir.File("in.bmp");
    image.Save(path);
    return path;
}

int LevelAt(const std::string& path, int x, int y) {
    CDibImage image;
    std::uint32_t value = 0;
    if (!image.Load(path) || !image.GetPixel(x, y, value)) {
        return -1;
    }
    return static_cast<int>(value & 0xff);
}

TEST(CliEnhance, OperationsRunInOrder) {
    CTempDir dir;
    const std::string in = GreyBmp(dir, 100);
    const std::string out = dir.File("out.bmp");
    CliResult r = RunEnhanceCli(in + " " + out + " brightness=150 negate");
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(LevelAt(out, 0, 0), 105);
    r = RunEnhanceCli(in + " " + out + " negate mean restore contrast=50");
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(LevelAt(out, 1, 1), 114);  // (100 - 128) * 50 / 100 + 128
}

TEST(CliEnhance, FailuresPrintTheDocumentsTextAndWriteNothing) {
    CTempDir dir;
    const std::string in = GreyBmp(dir, 100);
    const std::string out = dir.File("out.bmp");
    const struct {
        const char* ops;
        const char* message;
    } cases[] = {
        {"negate noise=0", "增加噪声失败"},
        {"noise=101", "增加噪声失败"},
        {"brightness=-5", "调整亮度失败"},
    };
    for (const auto& c : cases) {
        const CliResult r = RunEnhanceCli(in + " " + out + " " + c.ops);
        EXPECT_EQ(r.status, 1) << c.ops;
        EXPECT_NE(r.out.find(c.message), std::string::npos) << r.out;
        EXPECT_FALSE(std::filesystem::exists(out)) << c.ops;
    }
    CliResult r = RunEnhanceCli(dir.File("missing.bmp") + " " + out + " negate");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("打开文档失败。"), std::string::npos);
    r = RunEnhanceCli(in + " " + out + " sparkle");
    EXPECT_EQ(r.status, 2);
    r = RunEnhanceCli(in + " " + dir.File("out.awx") + " negate");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("保存文档失败。"), std::string::npos);
}

TEST(CliEnhance, PaletteOnAndOff) {
    CTempDir dir;
    const std::string in = GreyBmp(dir, 100);
    const std::string out = dir.File("out.bmp");
    const std::string lut = SourceDir() + "/dat/color1.lut";
    ASSERT_EQ(RunEnhanceCli(in + " " + out + " palette=" + lut).status, 0);
    CDibImage image;
    ASSERT_TRUE(image.Load(out));
    EXPECT_EQ(image.Palette()[255], 0x00ffffffu);
    EXPECT_NE(image.Palette()[180], 0x00b4b4b4u);
    ASSERT_EQ(RunEnhanceCli(in + " " + out + " palette=" + lut + " palette=off").status, 0);
    ASSERT_TRUE(image.Load(out));
    EXPECT_EQ(image.Palette()[180], 0x00b4b4b4u);
}

}  // namespace
