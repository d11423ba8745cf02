// kelvra-cli render and animate with --rgb and --difference as a user runs
// them: the picture is the observation's, whichever of its channel files is
// named; what keeps it from being made is said and nothing is written. In a
// build without the render layer the verbs do not exist and these tests skip.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "support/CliRunner.h"
#include "support/TestSupport.h"

namespace {

class CliChannelsTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (RunIn(m_dir.Path(), "render").out.find("unknown verb") != std::string::npos) {
            GTEST_SKIP() << "kelvra-cli was built without the render layer";
        }
        std::filesystem::create_directories(m_dir.File("dat/rgb"));
        std::ofstream(m_dir.File("dat/rgb/fog.rgb"))
            << "name = 雾\nred = IR1-IR2 4 -2\ngreen = IR1-IR3 0 10\nblue = IR1 243 293\n";
        for (const char* time : {"202203311200", "202203311300"}) {
            for (const auto& [channel, name] :
                 {std::pair{1, "IR1"}, {2, "IR2"}, {4, "IR3"}, {5, "VIS"}}) {
                const std::string path =
                    m_dir.File(std::string("FY2G_LCN_") + name + "_" + time + ".AWX");
                ASSERT_EQ(RunIn(m_dir.Path(), "synth " + path + " --size 160x120 --time " + time +
                                                  " --channel " + std::to_string(channel))
                              .status,
                          0);
            }
        }
    }

    std::string Product(const char* channel, const char* time = "202203311300") const {
        return m_dir.File(std::string("FY2G_LCN_") + channel + "_" + time + ".AWX");
    }

    CTempDir m_dir;
};

TEST_F(CliChannelsTest, AnyChannelFileOfTheObservationGivesItsPicture) {
    const struct {
        const char* options;
    } cases[] = {{"--rgb fog"}, {"--difference split --legend"}};
    for (const auto& c : cases) {
        const std::string fromIr1 = m_dir.File("ir1.bmp");
        const std::string fromVis = m_dir.File("vis.bmp");
        const std::string plain = m_dir.File("plain.bmp");
        ASSERT_EQ(
            RunIn(m_dir.Path(), "render " + Product("IR1") + " -o " + fromIr1 + " " + c.options)
                .status,
            0)
            << c.options;
        ASSERT_EQ(
            RunIn(m_dir.Path(), "render " + Product("VIS") + " -o " + fromVis + " " + c.options)
                .status,
            0);
        ASSERT_EQ(RunIn(m_dir.Path(), "render " + Product("IR1") + " -o " + plain).status, 0);
        EXPECT_EQ(ReadFileBytes(fromIr1), ReadFileBytes(fromVis)) << c.options;
        EXPECT_NE(ReadFileBytes(fromIr1), ReadFileBytes(plain)) << c.options;
    }
    ASSERT_EQ(RunIn(m_dir.Path(), "animate " + Product("IR1", "202203311200") + " " +
                                      Product("VIS") + " --rgb fog -o frames/")
                  .status,
              0);
    EXPECT_TRUE(std::filesystem::exists(m_dir.File("frames/frame_002.png")));
}

TEST_F(CliChannelsTest, WhatIsMissingOrMalformedIsSaid) {
    std::ofstream(m_dir.File("bad.rgb")) << "name = x\nred = IR1 0\n";
    const struct {
        const char* options;
        const char* said;
    } cases[] = {
        {"--difference wv", "找不到同一时次的水汽通道文件"},
        {"--rgb bad.rgb", "第 2 行"},
        {"--rgb nothing", "nothing"},
        {"--difference ir", "bad difference"},
        {"--rgb fog --difference split", "only one"},
    };
    for (const auto& c : cases) {
        const std::string out = m_dir.File("out.bmp");
        const CliResult result =
            RunIn(m_dir.Path(), "render " + Product("IR1") + " -o " + out + " " + c.options);
        EXPECT_NE(result.status, 0) << c.options;
        EXPECT_NE(result.out.find(c.said), std::string::npos) << c.options << ": " << result.out;
        EXPECT_FALSE(std::filesystem::exists(out)) << c.options;
    }
}

}  // namespace
