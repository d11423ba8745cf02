#pragma once
// The font files pictures write their text with, as the data folder's
// fonts.txt names them: one a line, "PATH" or "PATH INDEX" (the face's index
// in a collection, 0 when left out), '#' starting a comment. A relative path
// is taken from the data folder, so a font can be shipped there. The first
// file that opens is used for all text: no font is looked for beyond the
// list, so finding it costs one file.

#include <string>
#include <vector>

struct FontFileEntry {
    std::string path;
    long index = 0;
    bool operator==(const FontFileEntry&) const = default;
};

// The entries of the list's text, in order, relative paths joined to folder.
std::vector<FontFileEntry> ParseFontFileList(const std::string& text, const std::string& folder);
