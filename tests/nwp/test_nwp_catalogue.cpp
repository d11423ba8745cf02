// The NWP catalogue (nwp.txt) and the rows of the selection list: which
// class block is found, how folder, title and count lines split, which
// files of a folder become rows.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "nwp/NwpCatalogue.h"
#include "nwp/NwpTestFiles.h"
#include "platform/TextCodec.h"
#include "platform/Utf8Path.h"

namespace fs = std::filesystem;

namespace {

// A relative path with the system's own separator, as the catalogue joins it.
std::string Separated(std::string path) {
    std::replace(path.begin(), path.end(), '/', static_cast<char>(fs::path::preferred_separator));
    return path;
}

// The parsed class in one line: "folder|title|type:title:level,level;...",
// titles in UTF-8; "none" when the class was not found.
std::string Describe(bool found, const NwpDataClass& c) {
    if (!found) {
        return "none";
    }
    std::string text = c.folder + "|" + GbkToUtf8(c.title) + "|";
    for (const NwpDataType& type : c.types) {
        text += type.folder + ":" + GbkToUtf8(type.title) + ":";
        for (const std::string& level : type.levels) {
            text += level + (&level == &type.levels.back() ? "" : ",");
        }
        text += ";";
    }
    return text;
}

void WriteText(const std::string& path, const std::string& bytes) {
    WriteFileBytes(path, std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
}

}  // namespace

TEST(NwpCatalogue, ParsesTheClassBlock) {
    struct Case {
        const char* name;
        const char* text;  // UTF-8, parsed as GBK
        int classNumber;
        const char* parsed;
    };
    const Case cases[] = {
        {"types with and without levels",
         "class1\nupper 高空形势 2\nheight 500hPa高度 2\n500\n700\ntemper 温度 0\n", 1,
         "upper|高空形势|height:500hPa高度:500,700;temper:温度:;"},
        {"class10 answers for class 1", "class10\nten 第十类 0\nclass1\none 第一类 0\n", 1,
         "ten|第十类|"},
        {"the later class, text around the tag", "class1\na A 0\n# 资料 class2\nb B 1\nt T 0", 2,
         "b|B|t:T:;"},
        {"blanks in folder names", "class1\nupper air 高空 1\nheight field 高度 1\n500 hPa\n", 1,
         "upper air|高空|height field:高度:500 hPa;"},
        {"tabs, CR CR LF, blank lines, no final line end",
         "class1\r\r\nupper\t高空\t1\r\r\n \r\r\nheight \t 高度\t1\r\r\n500", 1,
         "upper|高空|height:高度:500;"},
        {"file ends before all types", "class1\nupper 高空 3\nheight 高度 2\n500\n", 1,
         "upper|高空|height:高度:500;"},
        {"count that is not a number", "class1\nupper 高空 x\nheight 高度 0\n", 1, "upper|高空|"},
        {"missing class", "class1\nupper 高空 0\nclass2\nsurface 地面 0\n", 4, "none"},
    };
    for (const Case& c : cases) {
        NwpDataClass parsed;
        const bool found = ParseNwpCatalogue(Utf8ToGbk(c.text), c.classNumber, parsed);
        EXPECT_EQ(Describe(found, parsed), c.parsed) << c.name;
    }
}

// Folders named in GBK that were copied with their names converted to UTF-8.
TEST(NwpCatalogue, FoldersFoundUnderTheirUtf8Names) {
    CTempDir dir;
    const std::string root = dir.Path();
    fs::create_directories(PathFromUtf8(root + "/高空/高度/500"));
    NwpDataClass upper{Utf8ToGbk("高空"), "", {{Utf8ToGbk("高度"), "", {"500"}}}};
    EXPECT_EQ(NwpTypeFolder(root, upper, upper.types[0]), root + Separated("/高空/高度/"));
    EXPECT_EQ(NwpLevelFolder(root, upper, upper.types[0], "500"),
              root + Separated("/高空/高度/500/"));
}

TEST(NwpCatalogue, RowsAreTheDiamondFilesOfTheFolder) {
    enum Kind { Diamond, Empty, Text, Folder };
    struct Entry {
        const char* name;
        Kind kind;
        bool listed;
    };
    const Entry entries[] = {
        {"22033020.000", Diamond, true},  {"22033008.024", Diamond, true},
        {"noextension", Diamond, true},   {"22033020.AWX", Diamond, false},
        {"22033020.awx", Diamond, false}, {"22033020.Awx", Diamond, false},
        {"empty.000", Empty, false},      {"notes.txt", Text, false},
        {"sub.000", Folder, false},
    };
    CTempDir dir;
    DiamondContent content;
    for (const Entry& e : entries) {
        switch (e.kind) {
            case Diamond:
                WriteDiamond(dir, e.name, content);
                break;
            case Empty:
                WriteText(dir.File(e.name), "");
                break;
            case Text:
                WriteText(dir.File(e.name), std::string(200, 'x'));
                break;
            case Folder:
                fs::create_directory(dir.File(e.name));
                break;
        }
    }
    // In name order whatever order the file system gives.
    const std::vector<std::string> expected = {
        dir.Path() + "/22033008.024", dir.Path() + "/22033020.000", dir.Path() + "/noextension"};
    const std::vector<NwpFileRow> rows = BuildNwpRows(dir.Path() + "/");
    std::vector<std::string> paths;
    for (const NwpFileRow& row : rows) {
        paths.push_back(row.path);
        EXPECT_EQ(row.selected, 0);
        EXPECT_EQ(row.fieldName, "500hPa高度");
        EXPECT_EQ(row.dateTime, "2022年03月30日20时");
    }
    EXPECT_EQ(paths, expected);
    EXPECT_TRUE(BuildNwpRows(dir.File("missing") + "/").empty());
}
