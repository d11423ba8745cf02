#include "browse/CatalogueListing.h"

#include <algorithm>
#include <iterator>

#include "browse/CCatalogue.h"
#include "platform/DataPaths.h"
#include "platform/FolderEntries.h"
#include "product/AwxName.h"

namespace {

// "YYYYMMDD" and "HHMM" of the time a product's name carries.
constexpr std::size_t kDateDigits = 8;
constexpr std::size_t kClockDigits = 4;
constexpr std::size_t kTimeKeyDigits = kDateDigits + kClockDigits;

// Only ASCII letters change case: GBK bytes of a name stay as they are.
char UpperAscii(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

std::string UpperAscii(std::string text) {
    for (char& c : text) {
        c = UpperAscii(c);
    }
    return text;
}

// Name order without regard to ASCII case, then by the bytes: each key is
// made once, not at every comparison.
void SortByName(std::vector<std::string>& texts) {
    std::vector<std::pair<std::string, std::size_t>> keys;
    keys.reserve(texts.size());
    for (std::size_t i = 0; i < texts.size(); ++i) {
        keys.emplace_back(UpperAscii(texts[i]), i);
    }
    std::sort(keys.begin(), keys.end(), [&texts](const auto& a, const auto& b) {
        const int order = a.first.compare(b.first);
        return order != 0 ? order < 0 : texts[a.second] < texts[b.second];
    });
    std::vector<std::string> sorted;
    sorted.reserve(texts.size());
    for (const auto& key : keys) {
        sorted.push_back(std::move(texts[key.second]));
    }
    texts = std::move(sorted);
}

}  // namespace

bool MatchesProductName(const std::string& fileName, const std::string& code) {
    if (!IsAwxName(fileName)) {
        return false;
    }
    // The code anywhere in the upper-cased base name, compared in place: the
    // test runs on every name of a folder of tens of thousands.
    const std::string_view base = std::string_view(fileName).substr(0, fileName.rfind('.'));
    if (code.size() > base.size()) {
        return false;
    }
    for (std::size_t at = 0; at + code.size() <= base.size(); ++at) {
        std::size_t i = 0;
        while (i < code.size() && UpperAscii(base[at + i]) == code[i]) {
            ++i;
        }
        if (i == code.size()) {
            return true;
        }
    }
    return false;
}

std::vector<std::string> CandidatesAmong(const std::string& folder,
                                         const std::vector<FolderEntry>& entries,
                                         const std::string& code) {
    // Only regular files are taken: a device or a pipe named like a product
    // would block or never end when opened.
    std::vector<std::string> names;
    for (const FolderEntry& entry : entries) {
        if (entry.type == FolderEntryType::kFile && MatchesProductName(entry.name, code)) {
            names.push_back(entry.name);
        }
    }
    // The folder gives its names in no particular order; the system's own
    // listed them alphabetically, which for product names is time order.
    // The paths are built from the folder text itself, so a trailing
    // separator or its absence yields the same text.
    SortByName(names);
    for (std::string& name : names) {
        name = CDataPaths::Join(folder, name);
    }
    return names;
}

std::vector<std::string> ListCandidateFiles(const std::string& folder, const std::string& code,
                                            bool recursive) {
    std::vector<std::string> paths;
    std::vector<std::string> folders{folder};
    std::vector<FolderEntry> entries;
    bool subfolders = false;
    while (!folders.empty()) {
        const std::string current = std::move(folders.back());
        folders.pop_back();
        ReadFolderEntries(current, entries);
        for (const FolderEntry& entry : entries) {
            if (recursive && entry.type == FolderEntryType::kFolder) {
                folders.push_back(CDataPaths::Join(current, entry.name));
                subfolders = true;
            }
        }
        std::vector<std::string> found = CandidatesAmong(current, entries, code);
        paths.insert(paths.end(), std::make_move_iterator(found.begin()),
                     std::make_move_iterator(found.end()));
    }
    // Across folders the whole paths are in name order.
    if (subfolders) {
        SortByName(paths);
    }
    return paths;
}

std::uint64_t NameTimeKey(std::string_view path) {
    const std::size_t slash = path.find_last_of("/\\");
    const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    const auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    std::size_t at = 0;
    while (at < name.size()) {
        std::size_t end = at;
        while (end < name.size() && isDigit(name[end])) {
            ++end;
        }
        if (end - at < kDateDigits) {
            at = end + 1;
            continue;
        }
        // "20220331_2100": the time follows the date after one separator.
        std::size_t last = std::min(end, at + kTimeKeyDigits);
        if (end - at == kDateDigits && end + 1 + kClockDigits <= name.size() &&
            std::all_of(name.begin() + static_cast<std::ptrdiff_t>(end + 1),
                        name.begin() + static_cast<std::ptrdiff_t>(end + 1 + kClockDigits),
                        isDigit)) {
            last = end + 1 + kClockDigits;
        }
        // The digits from the date's first to the clock's last, the
        // separator left out; missing ones count as 0.
        std::uint64_t key = 0;
        std::size_t digits = 0;
        for (std::size_t i = at; i < last; ++i) {
            if (isDigit(name[i])) {
                key = key * 10 + static_cast<std::uint64_t>(name[i] - '0');
                ++digits;
            }
        }
        for (; digits < kTimeKeyDigits; ++digits) {
            key *= 10;
        }
        return key;
    }
    return 0;
}

bool NameOrderLess(std::string_view a, std::string_view b) {
    const auto upper = [](char c) { return static_cast<unsigned char>(UpperAscii(c)); };
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        if (upper(a[i]) != upper(b[i])) {
            return upper(a[i]) < upper(b[i]);
        }
    }
    return a.size() != b.size() ? a.size() < b.size() : a < b;
}

bool ReadMatchingSummary(const std::string& path, int channelCode, AwxSummary& summary) {
    AwxSummary read;
    if (!ReadAwxSummary(path, read) || !SummaryMatchesChannel(read, channelCode)) {
        return false;
    }
    summary = read;
    return true;
}

FileEntry MakeFileEntry(const std::string& path, const AwxSummary& summary) {
    return FileEntry{SummaryDateTime(summary.second), SummaryProjection(summary.second),
                     SummaryCentre(summary.second), SummarySize(summary.second), path};
}

FrameEntry MakeFrameEntry(const std::string& path, const AwxSummary& summary) {
    const AwxSecondHeader& h = summary.second;
    return FrameEntry{SummaryDateTime(h), path,
                      ObservationMinutes(h.year, h.month, h.day, h.hour, h.minute)};
}

std::vector<FileEntry> ListFileEntries(const std::string& folder, const std::string& code,
                                       int channelCode) {
    CCatalogue catalogue;
    std::vector<FileEntry> entries;
    for (const CatalogueRow& row : catalogue.List(FolderQuery(folder, code, channelCode)).rows) {
        entries.push_back(MakeFileEntry(row.path, row.summary));
    }
    return entries;
}

std::vector<FrameEntry> ListFrameEntries(const std::string& folder, const std::string& code,
                                         int channelCode) {
    CCatalogue catalogue;
    return MakeFrameEntries(catalogue.List(FolderQuery(folder, code, channelCode)).rows);
}

std::vector<FrameEntry> MakeFrameEntries(const std::vector<CatalogueRow>& rows) {
    std::vector<FrameEntry> entries;
    entries.reserve(rows.size());
    for (const CatalogueRow& row : rows) {
        entries.push_back(MakeFrameEntry(row.path, row.summary));
    }
    SortFrameEntries(entries);
    return entries;
}

void SortFrameEntries(std::vector<FrameEntry>& entries) {
    std::stable_sort(entries.begin(), entries.end(),
                     [](const FrameEntry& a, const FrameEntry& b) { return a.path < b.path; });
}
