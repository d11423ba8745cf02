#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <cstdlib>
#include <memory>

#include <filesystem>

#include "platform/DataPaths.h"
#include "platform/Message.h"
#include "platform/Rand15.h"
#include "platform/RuntimeFolder.h"
#include "platform/Settings.h"
#include "platform/TextCodec.h"
#include "platform/Utf8Path.h"
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

#ifdef _WIN32
// An empty value removes a variable on Windows.
void setenv(const char* name, const char* value, int) {
    _putenv_s(name, value);
}
void unsetenv(const char* name) {
    _putenv_s(name, "");
}
#endif

// A path as the program spells it: on Windows with its drive and backslashes.
std::string AsSpelled(const std::string& path) {
#ifdef _WIN32
    return Utf8FromPath(std::filesystem::absolute(PathFromUtf8(path)).make_preferred());
#else
    return path;
#endif
}

// Sets an environment variable for the life of the object.
class CScopedEnv {
public:
    CScopedEnv(const char* name, const std::string& value) : m_name(name) {
        if (const char* old = std::getenv(name)) {
            m_old = old;
            m_hadOld = true;
        }
        setenv(name, value.c_str(), 1);
    }
    ~CScopedEnv() {
        if (m_hadOld) {
            setenv(m_name, m_old.c_str(), 1);
        } else {
            unsetenv(m_name);
        }
    }

private:
    const char* m_name;
    std::string m_old;
    bool m_hadOld = false;
};

// The data folder is looked for in a fixed order: $KELVRA_DATA, the start-up
// directory's dat, the build tree this test runs from, the installed one. A
// dat folder that happens to be where the program starts never overrides the
// variable.
TEST(DataPaths, DataFolderIsFoundInItsOrder) {
    CTempDir start;
    CTempDir variable;
    const std::string buildTree = AsSpelled(std::string(KELVRA_BINARY_DIR) + "/dat");
    const struct {
        const char* what;
        bool startDat;
        const char* env;  // nullptr: unset; "var": the variable folder
        std::string expected;
    } cases[] = {
        {"variable wins over start-up dat", true, "var", variable.Path()},
        {"variable alone", false, "var", variable.Path()},
        {"start-up dat without the variable", true, nullptr, start.File("dat")},
        {"variable naming nothing is passed over", true, "/nonexistent/kelvra", start.File("dat")},
        {"variable naming nothing, no dat", false, "/nonexistent/kelvra", buildTree},
        {"build tree without either", false, nullptr, buildTree},
    };
    for (const auto& c : cases) {
        std::filesystem::remove_all(start.File("dat"));
        if (c.startDat) {
            std::filesystem::create_directory(start.File("dat"));
        }
        const std::string env = c.env && std::string(c.env) == "var" ? variable.Path()
                                : c.env                              ? c.env
                                                                     : "";
        CScopedEnv scoped("KELVRA_DATA", env);
        if (!c.env) {
            unsetenv("KELVRA_DATA");
        }
        EXPECT_EQ(CDataPaths(start.Path()).DataFolder(), c.expected) << c.what;
    }
    EXPECT_EQ(CDataPaths(start.Path()).DataFile("region.txt"),
              AsSpelled(std::string(KELVRA_BINARY_DIR) + "/dat/region.txt"));
    EXPECT_EQ(CDataPaths::Join("a/", "b"), "a/b");
}

// Without XDG_RUNTIME_DIR the runtime folder is TMPDIR/runtime-<uid>, used
// only when it is this user's private folder. Anything else found there is
// left exactly as it was - a planted link's target keeps its mode - and a
// fresh private folder is used instead.
TEST(RuntimeFolder, OnlyAPrivateFolderOfThisUserIsUsed) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows has no folder modes or user ids; its runtime folder is the user's own "
                    "temporary folder";
#else
    const struct {
        const char* what;
        const char* planted;  // "", "link", "folder 0755", "folder of another user"
        bool usual;           // runtime-<uid> itself is used
    } cases[] = {
        {"nothing there yet", "", true},
        {"private folder from an earlier run", "folder 0700", true},
        {"link to a file", "link", false},
        {"folder others may enter", "folder 0755", false},
        {"folder of another user", "folder of another user", false},
    };
    for (const auto& c : cases) {
        CTempDir temporary;
        CScopedEnv tmpdir("TMPDIR", temporary.Path());
        CScopedEnv named("XDG_RUNTIME_DIR", "");
        unsetenv("XDG_RUNTIME_DIR");
        const std::string usual = temporary.File("runtime-" + std::to_string(getuid()));
        const std::string victim = temporary.File("victim");
        ASSERT_TRUE(WriteFileBytes(victim, {1}));
        ASSERT_EQ(chmod(victim.c_str(), 0644), 0);
        const std::string planted = c.planted;
        if (planted == "link") {
            ASSERT_EQ(symlink(victim.c_str(), usual.c_str()), 0);
        } else if (!planted.empty()) {
            ASSERT_EQ(mkdir(usual.c_str(), 0700), 0);
            ASSERT_EQ(chmod(usual.c_str(), planted == "folder 0755" ? 0755 : 0700), 0);
            if (planted == "folder of another user" && chown(usual.c_str(), 12345, 12345) != 0) {
                continue;  // only root can give a folder away
            }
        }
        const std::string folder = UserRuntimeFolder();
        EXPECT_EQ(folder == usual, c.usual) << c.what << ": " << folder;
        struct stat info {};
        ASSERT_EQ(lstat(folder.c_str(), &info), 0) << c.what;
        EXPECT_TRUE(S_ISDIR(info.st_mode)) << c.what;
        EXPECT_EQ(info.st_uid, geteuid()) << c.what;
        EXPECT_EQ(info.st_mode & 07777, 0700u) << c.what;
        const char* nowNamed = std::getenv("XDG_RUNTIME_DIR");
        EXPECT_EQ(nowNamed ? nowNamed : "", folder) << c.what;
        ASSERT_EQ(stat(victim.c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, 0644u) << c.what;
        std::filesystem::remove_all(folder);
    }
#endif
}

TEST(DataPaths, UnusableFilesAreSaidOncePerPathAcrossCopies) {
    std::vector<std::string> said;
    CDataPaths paths(".");
    paths.ReportUnusable("/x/WORLD.LNB");  // no notices yet: nothing to say it to
    paths.SetNotices(std::make_shared<CDataFileNotices>(
        [&said](const std::string& path) { said.push_back(path); }));
    const CDataPaths copy = paths;
    for (const char* path : {"/x/WORLD.LNB", "/x/RIVER.LNB", "/x/WORLD.LNB"}) {
        paths.ReportUnusable(path);
        copy.ReportUnusable(path);
    }
    EXPECT_EQ(said, (std::vector<std::string>{"/x/WORLD.LNB", "/x/RIVER.LNB"}));
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
