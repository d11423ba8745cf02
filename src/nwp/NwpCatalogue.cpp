// The NWP catalogue file and the rows of one of its folders.

#include "nwp/NwpCatalogue.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "nwp/CNwpOverlay.h"
#include "platform/DataPaths.h"
#include "platform/RegularFile.h"
#include "platform/TextCodec.h"
#include "platform/Utf8Path.h"
#include "product/AwxName.h"

namespace fs = std::filesystem;

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string Trim(const std::string& text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsBlank(text[begin])) {
        ++begin;
    }
    while (end > begin && IsBlank(text[end - 1])) {
        --end;
    }
    return text.substr(begin, end - begin);
}

// The non-blank lines; CR and LF both end a line, so CR CR LF ends one too.
std::vector<std::string> NonBlankLines(const std::string& text) {
    std::vector<std::string> lines;
    std::string line;
    const auto flush = [&] {
        std::string trimmed = Trim(line);
        if (!trimmed.empty()) {
            lines.push_back(std::move(trimmed));
        }
        line.clear();
    };
    for (char c : text) {
        if (c == '\r' || c == '\n') {
            flush();
        } else {
            line += c;
        }
    }
    flush();
    return lines;
}

// Splits the last word off a trimmed text: the word, and the rest trimmed.
std::string TakeLastWord(std::string& text) {
    std::size_t start = text.size();
    while (start > 0 && !IsBlank(text[start - 1])) {
        --start;
    }
    std::string word = text.substr(start);
    text = Trim(text.substr(0, start));
    return word;
}

// A count as the C library's atoi reads it; anything else is none.
std::size_t CountOf(const std::string& word) {
    const long value = std::strtol(word.c_str(), nullptr, 10);
    return value > 0 ? static_cast<std::size_t>(value) : 0;
}

struct CountLine {
    std::string folder;
    std::string title;
    std::size_t count = 0;
};

CountLine ParseCountLine(std::string line) {
    CountLine parsed;
    parsed.count = CountOf(TakeLastWord(line));
    parsed.title = TakeLastWord(line);
    parsed.folder = line;
    return parsed;
}

bool IsAscii(const std::string& text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

bool IsFolder(const std::string& path) {
    std::error_code error;
    return fs::is_directory(PathFromUtf8(path), error);
}

// parent joined with the name as it exists on disk: the GBK bytes, or
// their UTF-8 form when only that exists.
std::string JoinName(const std::string& parent, const std::string& nameGbk) {
    const std::string asWritten = CDataPaths::Join(parent, nameGbk);
    if (IsAscii(nameGbk) || IsFolder(asWritten)) {
        return asWritten;
    }
    const std::string converted = CDataPaths::Join(parent, GbkToUtf8(nameGbk));
    return IsFolder(converted) ? converted : asWritten;
}

std::string WithSeparator(const std::string& folder) {
    return CDataPaths::Join(folder, "");
}

}  // namespace

std::string DefaultNwpRoot() {
#ifdef _WIN32
    return "d:\\mdata";
#else
    const char* home = std::getenv("HOME");
    return CDataPaths::Join((home && *home) ? home : ".", "mdata");
#endif
}

std::string ReadNwpRoot(const CSettings& settings) {
    return settings.GetString(kParamFileSection, kNwpRootKey, DefaultNwpRoot());
}

bool ParseNwpCatalogue(const std::string& text, int classNumber, NwpDataClass& out) {
    const std::vector<std::string> lines = NonBlankLines(text);
    const std::string tag = "class" + std::to_string(classNumber);
    auto line = std::find_if(lines.begin(), lines.end(), [&tag](const std::string& l) {
        return l.find(tag) != std::string::npos;
    });
    if (line == lines.end()) {
        return false;
    }
    ++line;
    NwpDataClass parsed;
    std::size_t typeCount = 0;
    if (line != lines.end()) {
        CountLine header = ParseCountLine(*line++);
        parsed.folder = std::move(header.folder);
        parsed.title = std::move(header.title);
        typeCount = header.count;
    }
    for (std::size_t t = 0; t < typeCount && line != lines.end(); ++t) {
        CountLine header = ParseCountLine(*line++);
        NwpDataType type{std::move(header.folder), std::move(header.title), {}};
        for (std::size_t l = 0; l < header.count && line != lines.end(); ++l) {
            type.levels.push_back(*line++);
        }
        parsed.types.push_back(std::move(type));
    }
    out = std::move(parsed);
    return true;
}

bool ReadNwpCatalogue(const std::string& root, int classNumber, NwpDataClass& out) {
    // Opened as every data file is: a FIFO in its place would hang the menu.
    std::string text;
    return ReadRegularFile(CDataPaths::Join(root, kNwpCatalogueName), kNwpCatalogueMaxBytes,
                           text) == FileReadResult::kRead &&
           ParseNwpCatalogue(text, classNumber, out);
}

std::string NwpTypeFolder(const std::string& root, const NwpDataClass& dataClass,
                          const NwpDataType& type) {
    return WithSeparator(JoinName(JoinName(root, dataClass.folder), type.folder));
}

std::string NwpLevelFolder(const std::string& root, const NwpDataClass& dataClass,
                           const NwpDataType& type, const std::string& level) {
    return WithSeparator(JoinName(JoinName(JoinName(root, dataClass.folder), type.folder), level));
}

std::vector<NwpFileRow> BuildNwpRows(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator it(PathFromUtf8(folder), error), end; !error && it != end;
         it.increment(error)) {
        std::error_code statusError;
        if (it->is_directory(statusError)) {
            continue;
        }
        const std::uintmax_t size = it->file_size(statusError);
        if (statusError || size == 0) {
            continue;
        }
        std::string name = Utf8FromPath(it->path().filename());
        if (!IsAwxName(name)) {
            names.push_back(std::move(name));
        }
    }
    std::sort(names.begin(), names.end());
    std::vector<NwpFileRow> rows;
    for (const std::string& name : names) {
        const std::string path = CDataPaths::Join(folder, name);
        CNwpOverlay probe;
        if (probe.ProbeHeader(path)) {
            rows.push_back({0, probe.FieldNameText(), probe.DateTimeText(), {}, path});
        }
    }
    return rows;
}
