// kelvra-cli convert: a product or image file loaded and saved by extension,
// with the document's texts for failures.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "image/CDibImage.h"
#include "support/CliRunner.h"
#include "support/TestSupport.h"
#include "synth/AwxWriter.h"

namespace {

// stdout and stderr together
CliResult RunConvertCli(const std::string& arguments) {
    return RunCli("convert " + arguments + " 2>&1");
}

TEST(CliConvert, ProductToBmpAndTgaToJpeg) {
    CTempDir dir;
    AwxWriterOptions options;
    options.width = 37;
    options.height = 19;
    ASSERT_TRUE(WriteAwxProduct(dir.File("p.awx"), options));
    const CliResult toBmp = RunConvertCli(dir.File("p.awx") + " " + dir.File("p.BMP"));
    EXPECT_EQ(toBmp.status, 0) << toBmp.out;
    CDibImage image;
    ASSERT_TRUE(image.Load(dir.File("p.BMP")));
    EXPECT_EQ(image.Width(), 37);
    EXPECT_TRUE(image.IsEightBit());

    CDibImage colour;
    ASSERT_TRUE(colour.CreateBlank(5, 4, 24));
    ASSERT_TRUE(colour.Save(dir.File("c.tga")));
    EXPECT_EQ(RunConvertCli(dir.File("c.tga") + " " + dir.File("c.jpeg")).status, 0);
    ASSERT_TRUE(colour.Load(dir.File("c.jpeg")));
    EXPECT_EQ(colour.Height(), 4);
}

TEST(CliConvert, FailuresUseTheDocumentTexts) {
    CTempDir dir;
    AwxWriterOptions options;
    options.width = 8;
    options.height = 8;
    ASSERT_TRUE(WriteAwxProduct(dir.File("p.awx"), options));

    const CliResult missing = RunConvertCli(dir.File("none.bmp") + " " + dir.File("o.bmp"));
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.out, "打开文档失败。\n");

    const CliResult grey = RunConvertCli(dir.File("p.awx") + " " + dir.File("o.jpg"));
    EXPECT_EQ(grey.status, 1);
    EXPECT_EQ(grey.out, "保存文档失败。\n");

    EXPECT_EQ(RunConvertCli(dir.File("p.awx")).status, 2);
}

}  // namespace
