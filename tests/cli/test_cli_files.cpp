// kelvra-cli with awkward files: FIFO inputs fail at once with the readers'
// texts, output names as long as the folder allows are saved, a save killed
// half-way or on a full disk leaves the old file and nothing else, and a link
// planted where the runtime folder goes is not followed.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "image/CDibImage.h"
#include "support/CliRunner.h"
#include "support/TestSupport.h"
#include "synth/AwxWriter.h"

namespace {

constexpr const char* kOpenFailed = "打开文档失败。\n";
constexpr const char* kProductFailed = "获取图像文件描述信息失败\n";

std::vector<std::string> Entries(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    return names;
}

std::string Repeated(const std::string& piece, int times) {
    std::string text;
    for (int i = 0; i < times; ++i) {
        text += piece;
    }
    return text;
}

// Should the reader block on the FIFO, the test hangs until CTest's time-out.
TEST(CliFiles, FifoInputsFailWithTheReadersTexts) {
    CTempDir dir;
    for (const char* name : {"in.bmp", "in.awx", "in.tga"}) {
        ASSERT_EQ(mkfifo(dir.File(name).c_str(), 0600), 0);
    }
    const struct {
        std::string arguments;
        const char* text;
    } cases[] = {
        {"convert " + dir.File("in.bmp") + " " + dir.File("o.bmp"), kOpenFailed},
        {"convert " + dir.File("in.awx") + " " + dir.File("o.bmp"), kOpenFailed},
        {"enhance " + dir.File("in.tga") + " " + dir.File("o.bmp") + " negate", kOpenFailed},
        {"info " + dir.File("in.awx"), kProductFailed},
        {"isotherms " + dir.File("in.awx"), kProductFailed},
    };
    for (const auto& c : cases) {
        const CliResult result = RunCli(c.arguments + " 2>&1");
        EXPECT_EQ(result.status, 1) << c.arguments;
        EXPECT_EQ(result.out, c.text) << c.arguments;
    }
    EXPECT_FALSE(std::filesystem::exists(dir.File("o.bmp")));
}

// 82 Chinese characters and more take 246 bytes and more of the folder's 255.
TEST(CliFiles, LongChineseOutputNamesAreSaved) {
    CTempDir dir;
    AwxWriterOptions options;
    options.width = 20;
    options.height = 10;
    ASSERT_TRUE(WriteAwxProduct(dir.File("p.awx"), options));
    std::filesystem::create_directory(dir.File("out"));
    const std::string names[] = {
        Repeated("红外云图", 20) + "一二.bmp",
        Repeated("云", 83) + "ab.bmp",
    };
    for (const std::string& name : names) {
        ASSERT_LE(name.size(), 255u);
        const std::string target = dir.File("out/" + name);
        for (int pass = 0; pass < 2; ++pass) {  // a new file, then a replaced one
            const CliResult result =
                RunCli("convert " + dir.File("p.awx") + " '" + target + "' 2>&1");
            EXPECT_EQ(result.status, 0) << name.size() << ": " << result.out;
        }
        CDibImage image;
        EXPECT_TRUE(image.Load(target));
        EXPECT_EQ(image.Width(), 20);
    }
    EXPECT_EQ(Entries(dir.File("out")).size(), std::size(names));
}

// synth on a disk that fills up (a file size limit stands for it) keeps the
// product it would have replaced and leaves nothing beside it.
TEST(CliFiles, SynthOnAFullDiskKeepsTheOldProduct) {
    CTempDir dir;
    const std::string out = dir.File("old.awx");
    const std::vector<std::uint8_t> old = {'o', 'l', 'd'};
    ASSERT_TRUE(WriteFileBytes(out, old));
    const CliResult result = RunShell("(ulimit -f 8; trap '' XFSZ; exec " +
                                      std::string(KELVRA_CLI) + " synth " + out + " 2>&1)");
    EXPECT_EQ(result.status, 1) << result.out;
    EXPECT_EQ(ReadFileBytes(out), old);
    EXPECT_EQ(Entries(dir.Path()), std::vector<std::string>{"old.awx"});
}

// A picture verb draws without Qt and so never sets up Qt's runtime folder
// (TMPDIR/runtime-<uid> when none is named): a link another user planted
// under that name is not followed, and the file it names keeps its mode.
TEST(CliFiles, PlantedRuntimeLinkIsNotFollowed) {
    CTempDir dir;
    if (RunCli("render 2>&1").out.find("unknown verb") != std::string::npos) {
        GTEST_SKIP() << "kelvra-cli was built without the render layer";
    }
    const std::string victim = dir.File("victim");
    ASSERT_TRUE(WriteFileBytes(victim, {1}));
    ASSERT_EQ(chmod(victim.c_str(), 0644), 0);
    const std::string link = dir.File("runtime-" + std::to_string(getuid()));
    ASSERT_EQ(symlink(victim.c_str(), link.c_str()), 0);
    ASSERT_EQ(RunCli("synth " + dir.File("p.awx") + " --size 40x30").status, 0);
    const CliResult result =
        RunShell("cd " + dir.Path() + " && env -u XDG_RUNTIME_DIR TMPDIR=" + dir.Path() + " " +
                 KELVRA_CLI + " render p.awx -o p.bmp 2>&1");
    EXPECT_EQ(result.status, 0) << result.out;
    struct stat info {};
    ASSERT_EQ(stat(victim.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0644u);
    ASSERT_EQ(lstat(link.c_str(), &info), 0);
    EXPECT_TRUE(S_ISLNK(info.st_mode));
}

// The file the child has open in folder, other than the folder itself.
bool HasFileOpenIn(pid_t child, const std::string& folder) {
    const std::string fds = "/proc/" + std::to_string(child) + "/fd";
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(fds, error)) {
        const std::filesystem::path target = std::filesystem::read_symlink(entry.path(), error);
        if (!error && target.string().rfind(folder + "/", 0) == 0) {
            return true;
        }
    }
    return false;
}

// The child is stopped while its temporary output file is open and the old
// file still in place, then sent the signal: the kill lands mid-save.
TEST(CliFiles, SaveKilledMidWayLeavesOnlyTheOldFile) {
    CTempDir dir;
    CDibImage picture;
    ASSERT_TRUE(picture.CreateBlank(2048, 2048, 24));
    for (int y = 0; y < 2048; ++y) {
        for (int x = 0; x < 2048; ++x) {
            picture.SetPixel(x, y, static_cast<std::uint32_t>(x * 2654435761u ^ y * 40503u));
        }
    }
    ASSERT_TRUE(picture.Save(dir.File("in.bmp")));
    const std::string out = dir.File("out");
    std::filesystem::create_directory(out);
    const std::vector<std::uint8_t> old = {0xFF, 0xD8, 'o', 'l', 'd'};

    // One attempt: true when the signal reached the child mid-save.
    auto interrupt = [&](int signal, int& status) {
        const pid_t child = fork();
        if (child == 0) {
            const int null = open("/dev/null", O_WRONLY);
            dup2(null, 1);
            dup2(null, 2);
            execl(KELVRA_CLI, KELVRA_CLI, "convert", dir.File("in.bmp").c_str(),
                  (out + "/old.jpg").c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        bool caught = false;
        while (child > 0 && !caught && waitpid(child, &status, WNOHANG) == 0) {
            if (HasFileOpenIn(child, out)) {
                kill(child, SIGSTOP);
                caught = HasFileOpenIn(child, out) && ReadFileBytes(out + "/old.jpg") == old;
                if (caught) {
                    kill(child, signal);
                }
                kill(child, SIGCONT);
            }
        }
        return caught && waitpid(child, &status, 0) == child;
    };
    for (const int signal : {SIGTERM, SIGINT}) {
        // Should the save outrun the poll, it is simply tried again.
        bool caught = false;
        int status = 0;
        for (int attempt = 0; attempt < 5 && !caught; ++attempt) {
            ASSERT_TRUE(WriteFileBytes(out + "/old.jpg", old));
            caught = interrupt(signal, status);
        }
        ASSERT_TRUE(caught) << "every save ended before it could be interrupted";
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal);
        EXPECT_EQ(ReadFileBytes(out + "/old.jpg"), old);
        EXPECT_EQ(Entries(out), std::vector<std::string>{"old.jpg"});
    }
}

}  // namespace
