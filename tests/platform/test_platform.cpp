#include <gtest/gtest.h>

#include <filesystem>

#include "platform/DataPaths.h"
#include "platform/Message.h"
#include "platform/Rand15.h"
#include "platform/Settings.h"
#include "platform/TextCodec.h"
#include "support/TestSupport.h"

TEST(TextCodec, GbkRoundTripsChineseText) {
    const std::string utf8 = "投影区域参数文件错误";
    const std::string gbk = Utf8ToGbk(utf8);
    EXPECT_EQ(gbk.size(), 20u);  // two bytes per character in GBK
    EXPECT_EQ(GbkToUtf8(gbk), utf8);
}

TEST(TextCodec, InvalidGbkBecomesReplacementCharacter) {
    // 0x81 starts a two-byte character; 0x20 cannot follow it.
    const std::string broken = std::string("A\x81 B", 4);
    EXPECT_EQ(GbkToUtf8(broken), "A\xEF\xBF\xBD B");
    // A lone lead byte at the end is cut short.
    EXPECT_EQ(GbkToUtf8(std::string("Z\xB0", 2)), "Z\xEF\xBF\xBD");
}

TEST(TextCodec, Utf8OutsideGbkBecomesQuestionMark) {
    EXPECT_EQ(Utf8ToGbk("a\xF0\x9F\x98\x80z"), "a?z");
}

TEST(MessageSink, RecorderCollectsAndScopeRestores) {
    CMessageRecorder outer;
    CScopedMessageSink outerScope(&outer);
    {
        CMessageRecorder inner;
        CScopedMessageSink innerScope(&inner);
        ShowMessage("内存不足 !");
        ASSERT_EQ(inner.Messages().size(), 1u);
        EXPECT_EQ(inner.Messages()[0], "内存不足 !");
    }
    ShowMessage("second");
    ASSERT_EQ(outer.Messages().size(), 1u);
    EXPECT_EQ(outer.Messages()[0], "second");
}

TEST(DataPaths, StartDirectoryDatFolderWinsOverInstalledOne) {
    CTempDir dir;
    CDataPaths withoutDat(dir.Path());
    EXPECT_EQ(withoutDat.DataFolder(), CDataPaths::InstalledDataFolder());
    std::filesystem::create_directory(dir.File("dat"));
    CDataPaths withDat(dir.Path());
    EXPECT_EQ(withDat.DataFile("region.txt"), dir.File("dat") + "/region.txt");
    EXPECT_EQ(CDataPaths::Join("a/", "b"), "a/b");
}

TEST(Settings, MemorySettingsDefaultsAndValues) {
    CMemorySettings s;
    EXPECT_EQ(s.GetInt("Settings", "OutbarSize", 200), 200);
    s.SetInt("Settings", "OutbarSize", 320);
    EXPECT_EQ(s.GetInt("Settings", "OutbarSize", 200), 320);
    s.SetString("Settings", "OutbarSize", "wide");
    EXPECT_EQ(s.GetInt("Settings", "OutbarSize", 200), 200);  // not a number: default
    EXPECT_EQ(s.GetString("FILES PATHS", "SEC ROOT", "D:\\data\\AWX"), "D:\\data\\AWX");
}

TEST(Rand15, ClassicSequenceFromSeedOne) {
    // The first values of the classic generator seeded with 1.
    CRand15 r;
    EXPECT_EQ(r.Next(), 41);
    EXPECT_EQ(r.Next(), 18467);
    EXPECT_EQ(r.Next(), 6334);
    EXPECT_EQ(r.Next(), 26500);
}
