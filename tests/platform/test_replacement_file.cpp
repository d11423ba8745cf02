// CReplacementFile with both kinds of temporary file: the target is replaced
// only by a committed file, and a save ended by a signal leaves the old file
// and nothing else.

#include <gtest/gtest.h>
#ifndef _WIN32
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <filesystem>
#include <string>
#include <vector>

#include "platform/ReplacementFile.h"
#include "platform/TempFileCleanup.h"
#include "support/TestSupport.h"

namespace {

using Temporary = CReplacementFile::Temporary;
const Temporary kKinds[] = {Temporary::kUnnamed, Temporary::kNamed};

std::vector<std::string> Entries(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    return names;
}

bool Save(const std::string& target, Temporary kind, const std::vector<std::uint8_t>& bytes) {
    CReplacementFile output(target, kind);
    std::FILE* file = output.Open();
    return file != nullptr && std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size() &&
           output.Commit();
}

TEST(ReplacementFile, CommitReplacesAndKeepsAccessRights) {
    for (const Temporary kind : kKinds) {
        CTempDir dir;
        const std::string target = dir.File("picture.bmp");
        ASSERT_TRUE(Save(target, kind, {1, 2, 3}));
        EXPECT_EQ(ReadFileBytes(target), (std::vector<std::uint8_t>{1, 2, 3}));
#ifndef _WIN32  // Windows files have no access modes
        ASSERT_EQ(chmod(target.c_str(), 0640), 0);
#endif
        ASSERT_TRUE(Save(target, kind, {4, 5}));
        EXPECT_EQ(ReadFileBytes(target), (std::vector<std::uint8_t>{4, 5}));
#ifndef _WIN32
        struct stat info {};
        ASSERT_EQ(stat(target.c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, 0640u);
#endif
        EXPECT_EQ(Entries(dir.Path()), std::vector<std::string>{"picture.bmp"});
    }
}

// The access rights of a regular file carry over without set-id bits and
// execute bits only where it had some; a link is replaced, never written
// through, and the file it named keeps its bytes and rights.
TEST(ReplacementFile, RightsOfARegularFileOnlyAndLinksReplaced) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows has no access modes or set-id bits (its read-only attribute is "
                    "checked in FileNames)";
#else
    const mode_t mask = umask(022);
    umask(mask);
    const struct {
        const char* what;
        bool link;
        mode_t old;
        mode_t expected;
    } cases[] = {
        {"private", false, 0600, 0600},
        {"set-user-id, writable by all", false, 04777, 0777},
        {"set-group-id executable", false, 02755, 0755},
        {"sticky, not executable", false, 01666, 0666},
        {"link to a set-user-id file", true, 04777, 0666 & ~mask},
    };
    for (const Temporary kind : kKinds) {
        for (const auto& c : cases) {
            CTempDir dir;
            const std::string old = dir.File("old");
            const std::string target = dir.File("out.bmp");
            ASSERT_TRUE(WriteFileBytes(old, {7}));
            ASSERT_EQ(chmod(old.c_str(), c.old), 0);
            if (c.link) {
                ASSERT_EQ(symlink(old.c_str(), target.c_str()), 0);
            } else {
                ASSERT_EQ(rename(old.c_str(), target.c_str()), 0);
            }
            ASSERT_TRUE(Save(target, kind, {1, 2}));
            struct stat info {};
            ASSERT_EQ(lstat(target.c_str(), &info), 0);
            EXPECT_TRUE(S_ISREG(info.st_mode)) << c.what;
            EXPECT_EQ(info.st_mode & 07777, c.expected) << c.what;
            EXPECT_EQ(ReadFileBytes(target), (std::vector<std::uint8_t>{1, 2})) << c.what;
            if (c.link) {
                ASSERT_EQ(stat(old.c_str(), &info), 0);
                EXPECT_EQ(info.st_mode & 07777, c.old) << c.what;
                EXPECT_EQ(ReadFileBytes(old), std::vector<std::uint8_t>{7}) << c.what;
            }
        }
    }
#endif
}

TEST(ReplacementFile, UncommittedOrFailedLeavesTheOldFileAlone) {
    for (const Temporary kind : kKinds) {
        CTempDir dir;
        const std::string target = dir.File("keep.tga");
        ASSERT_TRUE(WriteFileBytes(target, {9, 9, 9}));
        {
            CReplacementFile output(target, kind);
            std::FILE* file = output.Open();
            ASSERT_NE(file, nullptr);
            std::fputs("half a picture", file);
            std::fflush(file);
        }
        EXPECT_EQ(ReadFileBytes(target), (std::vector<std::uint8_t>{9, 9, 9}));
        EXPECT_EQ(Entries(dir.Path()), std::vector<std::string>{"keep.tga"});
        EXPECT_EQ(CReplacementFile(dir.File("absent/x.bmp"), kind).Open(), nullptr);
        EXPECT_EQ(CReplacementFile(dir.Path() + "/", kind).Open(), nullptr);
        EXPECT_FALSE(CReplacementFile(target, kind).Commit()) << "nothing opened";
    }
}

// A child process saves, is interrupted by a signal in the middle of writing
// and must leave only the old file. Earlier completed saves come first, so a
// slot the clean-up table failed to free would show here too.
TEST(ReplacementFile, SignalDuringSaveLeavesNothingBehind) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows has neither fork nor termination signals";
#else
    for (const Temporary kind : kKinds) {
        for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
            CTempDir dir;
            const std::string target = dir.File("old.jpg");
            ASSERT_TRUE(WriteFileBytes(target, {1, 2, 3, 4}));
            const pid_t child = fork();
            ASSERT_GE(child, 0);
            if (child == 0) {
                RemoveTempFilesOnTermination();
                for (int i = 0; i < 6; ++i) {
                    if (!Save(dir.File("done" + std::to_string(i)), kind, {1})) {
                        _exit(2);
                    }
                }
                CReplacementFile output(target, kind);
                std::FILE* file = output.Open();
                const std::vector<std::uint8_t> half(1 << 20, 0x5A);
                if (file == nullptr ||
                    std::fwrite(half.data(), 1, half.size(), file) != half.size() ||
                    std::fflush(file) != 0) {
                    _exit(3);
                }
                raise(signal);
                _exit(4);
            }
            int status = 0;
            ASSERT_EQ(waitpid(child, &status, 0), child);
            ASSERT_TRUE(WIFSIGNALED(status)) << "exit " << WEXITSTATUS(status);
            EXPECT_EQ(WTERMSIG(status), signal);
            EXPECT_EQ(ReadFileBytes(target), (std::vector<std::uint8_t>{1, 2, 3, 4}));
            for (int i = 0; i < 6; ++i) {
                std::filesystem::remove(dir.File("done" + std::to_string(i)));
            }
            EXPECT_EQ(Entries(dir.Path()), std::vector<std::string>{"old.jpg"})
                << "signal " << signal << (kind == Temporary::kNamed ? " named" : " unnamed");
        }
    }
#endif
}

}  // namespace
