// The data-file cache: a file is made into its object once and made again
// exactly when its size or modification time (or the file itself) changed,
// so every use sees what reading the file would give.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "platform/CDataFileCache.h"
#include "platform/DataPaths.h"
#include "support/TestSupport.h"

namespace {

namespace fs = std::filesystem;

// The file's whole text, as the "made" object.
std::shared_ptr<const std::string> ReadText(const std::string& path) {
    const std::vector<std::uint8_t> bytes = ReadFileBytes(path);
    if (!fs::exists(path)) {
        return nullptr;
    }
    return std::make_shared<const std::string>(bytes.begin(), bytes.end());
}

void Write(const std::string& path, const std::string& text) {
    ASSERT_TRUE(WriteFileBytes(path, std::vector<std::uint8_t>(text.begin(), text.end())));
}

// Moves the modification time by a whole second either way.
void ShiftTime(const std::string& path, int seconds) {
    fs::last_write_time(path, fs::last_write_time(path) + std::chrono::seconds(seconds));
}

struct Change {
    const char* name;
    std::function<void(const std::string& path)> apply;
    bool readAgain;
    const char* seen;  // the text a use sees afterwards; nullptr: nothing
};

const Change kChanges[] = {
    {"Nothing", [](const std::string&) {}, false, "alpha"},
    {"SameSizeNewTime",
     [](const std::string& p) {
         const auto time = fs::last_write_time(p);
         Write(p, "gamma");
         fs::last_write_time(p, time + std::chrono::seconds(5));
     },
     true, "gamma"},
    {"OtherSizeSameTime",
     [](const std::string& p) {
         const auto time = fs::last_write_time(p);
         Write(p, "alphabet");
         fs::last_write_time(p, time);
     },
     true, "alphabet"},
    {"TimeOnly", [](const std::string& p) { ShiftTime(p, -3); }, true, "alpha"},
    {"ReplacedBySameSizeAndTime",
     [](const std::string& p) {
         const auto time = fs::last_write_time(p);
         const std::string other = p + ".new";
         Write(other, "delta");
         fs::last_write_time(other, time);
         fs::rename(other, p);
     },
     true, "delta"},
    {"Removed", [](const std::string& p) { fs::remove(p); }, true, nullptr},
};

class DataFileCacheChange : public ::testing::TestWithParam<Change> {};

TEST_P(DataFileCacheChange, ReadsAgainExactlyWhenTheFileChanged) {
    const Change& change = GetParam();
    CTempDir dir;
    const std::string path = dir.File("data.txt");
    Write(path, "alpha");
    CDataFileCache cache;
    const auto first = cache.Get<std::string>(path, "text", ReadText);
    ASSERT_TRUE(first);
    EXPECT_EQ(*first, "alpha");
    EXPECT_EQ(cache.Get<std::string>(path, "text", ReadText), first);
    EXPECT_EQ(cache.Reads(), 1);

    change.apply(path);
    const auto after = cache.Get<std::string>(path, "text", ReadText);
    EXPECT_EQ(cache.Reads(), change.readAgain ? 2 : 1);
    if (change.seen == nullptr) {
        EXPECT_FALSE(after);
    } else {
        ASSERT_TRUE(after);
        EXPECT_EQ(*after, change.seen);
    }
}

INSTANTIATE_TEST_SUITE_P(Changes, DataFileCacheChange, ::testing::ValuesIn(kChanges),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DataFileCache, KindsAndUnusableFilesAreKeptApart) {
    CTempDir dir;
    const std::string path = dir.File("data.txt");
    Write(path, "alpha");
    CDataFileCache cache;
    int refusals = 0;
    const auto refuse = [&refusals](const std::string&) -> std::shared_ptr<const std::string> {
        ++refusals;
        return nullptr;
    };
    // A file that cannot be used is tried again at every use.
    EXPECT_FALSE(cache.Get<std::string>(path, "refused", refuse));
    EXPECT_FALSE(cache.Get<std::string>(path, "refused", refuse));
    EXPECT_EQ(refusals, 2);
    EXPECT_EQ(*cache.Get<std::string>(path, "text", ReadText), "alpha");
    EXPECT_FALSE(cache.Get<std::string>(dir.File("missing.txt"), "text", ReadText));
}

TEST(DataFileCache, CopiesOfDataPathsShareOneCache) {
    const CDataPaths paths(".");
    const CDataPaths copy = paths;
    EXPECT_EQ(&paths.Cache(), &copy.Cache());
    EXPECT_NE(&paths.Cache(), &CDataPaths(".").Cache());
}

}  // namespace
