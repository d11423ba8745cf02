// The data folder's font list as the pictures' text reads it: one file a
// line, an optional face index, comments, paths taken from the data folder.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fonts/FontFileList.h"

namespace {

TEST(FontFileList, EntriesInOrder) {
    const struct {
        const char* what;
        const char* text;
        std::vector<FontFileEntry> entries;
    } cases[] = {
        {"path alone", "/fonts/a.ttf\n", {{"/fonts/a.ttf", 0}}},
        {"face index", "/fonts/b.ttc 2\n", {{"/fonts/b.ttc", 2}}},
        {"comments and blank lines",
         "# the list\n\n  /fonts/a.ttf  # first\n/fonts/b.ttc\t3\r\n",
         {{"/fonts/a.ttf", 0}, {"/fonts/b.ttc", 3}}},
        {"relative to the data folder", "kept.ttf 1\n", {{"/data/kept.ttf", 1}}},
        {"spaces in a Windows path",
         "C:\\Program Files\\Fonts\\x.ttc 1\nC:\\Fonts\\simsun.ttc",
         {{"C:\\Program Files\\Fonts\\x.ttc", 1}, {"C:\\Fonts\\simsun.ttc", 0}}},
        {"a name ending in a word, not an index", "/fonts/font v2\n", {{"/fonts/font v2", 0}}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseFontFileList(c.text, "/data"), c.entries) << c.what;
    }
}

}  // namespace
