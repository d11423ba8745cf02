// Files whose names a forecaster's desk really has: Chinese folder and file
// names with spaces, paths longer than Windows' old 260-character limit. A
// product under such a name is saved, listed, stamped and read back whole.
// On Windows also what its file system adds: a read-only file and a file
// another program holds open are left as they were by a save over them.

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/CDataFileCache.h"
#include "platform/FolderEntries.h"
#include "platform/RegularFile.h"
#include "platform/ReplacementFile.h"
#include "platform/Utf8Path.h"
#include "support/TestSupport.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

bool Save(const std::string& target, const std::vector<std::uint8_t>& bytes) {
    CReplacementFile output(target);
    std::FILE* file = output.Open();
    return file != nullptr && std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size() &&
           output.Commit();
}

// A folder chain under root whose whole path passes 260 characters.
std::string LongFolder(const std::string& root) {
    std::string folder = root;
    while (folder.size() <= 300) {
        folder += "/" + std::string(60, 'k');
    }
    return folder;
}

TEST(FileNames, ProductsUnderChineseAndLongNamesSaveListAndReadBack) {
    CTempDir dir;
    struct Case {
        const char* what;
        std::string folder;
        std::string name;
    };
    const Case cases[] = {
        {"Chinese names with spaces", dir.File("卫星 云图"), "红外 一通道.AWX"},
        {"a path past 260 characters", LongFolder(dir.Path()), "long.AWX"},
    };
    // Line ends and a zero byte, which a text-mode file would change.
    const std::vector<std::uint8_t> bytes = {'\r', '\n', 0, '\n', 0x1A, 0xFF};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::error_code error;
        ASSERT_TRUE(std::filesystem::create_directories(PathFromUtf8(c.folder), error));
        const std::string path = c.folder + "/" + c.name;
        ASSERT_TRUE(Save(path, bytes));
        ASSERT_TRUE(Save(path, bytes));  // over the file saved before

        std::vector<FolderEntry> entries;
        ASSERT_TRUE(ReadFolderEntries(c.folder, entries));
        EXPECT_EQ(entries, (std::vector<FolderEntry>{{c.name, FolderEntryType::kFile}}));

        DataFileStamp stamp;
        ASSERT_TRUE(StampDataFile(path, stamp));
        EXPECT_EQ(stamp.size, static_cast<std::int64_t>(bytes.size()));

        std::string read;
        ASSERT_EQ(ReadRegularFile(path, 1024, read), FileReadResult::kRead);
        EXPECT_EQ(std::vector<std::uint8_t>(read.begin(), read.end()), bytes);
    }
}

#ifdef _WIN32

// A save over a file Windows protects fails and leaves it whole; nothing of
// the save is left beside it.
TEST(FileNames, ProtectedFilesAreLeftWholeByASave) {
    struct Case {
        const char* what;
        bool readOnly;
        bool heldOpen;
    };
    const Case cases[] = {
        {"a read-only file", true, false},
        {"a file another handle holds open", false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CTempDir dir;
        const std::string target = dir.File("云图.bmp");
        ASSERT_TRUE(Save(target, {1, 2, 3}));
        const std::wstring wide = PathFromUtf8(target).native();
        if (c.readOnly) {
            ASSERT_TRUE(SetFileAttributesW(wide.c_str(), FILE_ATTRIBUTE_READONLY));
        }
        HANDLE held = INVALID_HANDLE_VALUE;
        if (c.heldOpen) {
            // As a program reading the picture holds it: sharing reads only.
            held = CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
            ASSERT_NE(held, INVALID_HANDLE_VALUE);
        }
        EXPECT_FALSE(Save(target, {4, 5}));
        if (held != INVALID_HANDLE_VALUE) {
            CloseHandle(held);
        }
        SetFileAttributesW(wide.c_str(), FILE_ATTRIBUTE_NORMAL);
        EXPECT_EQ(ReadFileBytes(target), (std::vector<std::uint8_t>{1, 2, 3}));
        std::vector<FolderEntry> entries;
        ASSERT_TRUE(ReadFolderEntries(dir.Path(), entries));
        EXPECT_EQ(entries.size(), 1u);
        // Once the file is free again the save goes through.
        EXPECT_TRUE(Save(target, {4, 5}));
        EXPECT_EQ(ReadFileBytes(target), (std::vector<std::uint8_t>{4, 5}));
    }
}

#endif

}  // namespace
