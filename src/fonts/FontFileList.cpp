#include "fonts/FontFileList.h"

#include <cctype>
#include <charconv>
#include <sstream>

#include "platform/DataPaths.h"

namespace {

std::string Trimmed(const std::string& line) {
    const std::size_t first = line.find_first_not_of(" \t\r");
    if (first == std::string::npos) {
        return std::string();
    }
    const std::size_t last = line.find_last_not_of(" \t\r");
    return line.substr(first, last - first + 1);
}

// A trailing number after white space is the face index; paths may hold
// spaces of their own ("C:\Program Files\...").
FontFileEntry EntryOf(const std::string& line) {
    const std::size_t space = line.find_last_of(" \t");
    if (space != std::string::npos) {
        const std::string tail = line.substr(space + 1);
        long index = 0;
        const char* last = tail.data() + tail.size();
        const auto [end, ec] = std::from_chars(tail.data(), last, index);
        if (ec == std::errc() && end == last && index >= 0) {
            return FontFileEntry{Trimmed(line.substr(0, space)), index};
        }
    }
    return FontFileEntry{line, 0};
}

bool IsAbsolute(const std::string& path) {
    const bool drive =
        path.size() > 2 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':';
    return (!path.empty() && (path[0] == '/' || path[0] == '\\')) || drive;
}

}  // namespace

std::vector<FontFileEntry> ParseFontFileList(const std::string& text, const std::string& folder) {
    std::vector<FontFileEntry> entries;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        line = Trimmed(line.substr(0, line.find('#')));
        if (line.empty()) {
            continue;
        }
        FontFileEntry entry = EntryOf(line);
        if (!IsAbsolute(entry.path)) {
            entry.path = CDataPaths::Join(folder, entry.path);
        }
        entries.push_back(entry);
    }
    return entries;
}
