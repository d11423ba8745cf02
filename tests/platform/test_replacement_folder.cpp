// CReplacementFolder ended by a signal half way: the target keeps its old
// files and nothing is left beside it. (What the user sees of a finished or
// failed run is checked through kelvra-cli animate.)

#include <gtest/gtest.h>
#ifndef _WIN32
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/ReplacementFile.h"
#include "platform/ReplacementFolder.h"
#include "platform/TempFileCleanup.h"
#include "support/TestSupport.h"

namespace {

[[maybe_unused]] std::vector<std::string> Entries(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

[[maybe_unused]] bool IsNumbered(const std::string& name) {
    return name.rfind("n", 0) == 0;
}

TEST(ReplacementFolder, SignalHalfWayLeavesTheOldFilesAndNothingElse) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows has neither fork nor termination signals";
#else
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        CTempDir dir;
        const std::string target = dir.File("loop");
        std::filesystem::create_directory(target);
        ASSERT_TRUE(WriteFileBytes(target + "/n1", {1}));
        ASSERT_TRUE(WriteFileBytes(target + "/n2", {2}));
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            RemoveTempFilesOnTermination();
            CReplacementFolder folder(target + "/", IsNumbered);
            if (folder.Open() != CReplacementFolder::OpenResult::kOpened) {
                _exit(2);
            }
            for (const char* name : {"n1", "n2", "n3"}) {
                CReplacementFile file(folder.Folder() + "/" + name);
                std::FILE* out = file.Open();
                if (out == nullptr || std::fputs("new", out) < 0 || !file.Commit()) {
                    _exit(3);
                }
            }
            raise(signal);
            _exit(4);
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status)) << "exit " << WEXITSTATUS(status);
        EXPECT_EQ(Entries(dir.Path()), std::vector<std::string>{"loop"}) << "signal " << signal;
        EXPECT_EQ(Entries(target), (std::vector<std::string>{"n1", "n2"}));
        EXPECT_EQ(ReadFileBytes(target + "/n2"), std::vector<std::uint8_t>{2});
    }
#endif
}

}  // namespace
