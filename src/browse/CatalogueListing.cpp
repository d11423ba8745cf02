#include "browse/CatalogueListing.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "platform/DataPaths.h"
#include "product/AwxName.h"

namespace fs = std::filesystem;

namespace {

// Only ASCII letters change case: GBK bytes of a name stay as they are.
std::string UpperAscii(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return text;
}

// Regular files only: a device or a pipe named like a product would block or
// never end when opened. Empty files cannot hold a header.
bool IsNonEmptyFile(const fs::directory_entry& entry) {
    std::error_code ec;
    if (!entry.is_regular_file(ec) || ec) {
        return false;
    }
    const std::uintmax_t size = entry.file_size(ec);
    return !ec && size > 0;
}

}  // namespace

bool MatchesProductName(const std::string& fileName, const std::string& code) {
    if (!IsAwxName(fileName)) {
        return false;
    }
    const std::string base = UpperAscii(fileName.substr(0, fileName.rfind('.')));
    return base.find(code) != std::string::npos;
}

std::vector<std::string> ListCandidateFiles(const std::string& folder, const std::string& code) {
    std::vector<std::string> paths;
    std::error_code ec;
    fs::directory_iterator it(folder, ec);
    // The paths are built from the folder text itself, so a trailing
    // separator or its absence yields the same text.
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        const std::string name = it->path().filename().string();
        // The name test is cheap; only names that pass are looked at on disk.
        if (MatchesProductName(name, code) && IsNonEmptyFile(*it)) {
            paths.push_back(CDataPaths::Join(folder, name));
        }
    }
    // The folder gives its names in no particular order; the system's own
    // listed them alphabetically, which for product names is time order.
    std::sort(paths.begin(), paths.end(), [](const std::string& a, const std::string& b) {
        const std::string ua = UpperAscii(a);
        const std::string ub = UpperAscii(b);
        return ua != ub ? ua < ub : a < b;
    });
    return paths;
}

bool ReadMatchingSummary(const std::string& path, int channelCode, AwxSummary& summary) {
    AwxSummary read;
    if (!ReadAwxSummary(path, read) || !SummaryMatchesChannel(read, channelCode)) {
        return false;
    }
    summary = read;
    return true;
}

void ListCatalogue(const std::string& folder, const std::string& code, int channelCode,
                   const CatalogueVisitor& visit) {
    for (const std::string& path : ListCandidateFiles(folder, code)) {
        AwxSummary summary;
        if (ReadMatchingSummary(path, channelCode, summary)) {
            visit(path, summary);
        }
    }
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
    std::vector<FileEntry> entries;
    ListCatalogue(folder, code, channelCode,
                  [&entries](const std::string& path, const AwxSummary& summary) {
                      entries.push_back(MakeFileEntry(path, summary));
                  });
    return entries;
}

std::vector<FrameEntry> ListFrameEntries(const std::string& folder, const std::string& code,
                                         int channelCode) {
    std::vector<FrameEntry> entries;
    ListCatalogue(folder, code, channelCode,
                  [&entries](const std::string& path, const AwxSummary& summary) {
                      entries.push_back(MakeFrameEntry(path, summary));
                  });
    SortFrameEntries(entries);
    return entries;
}

void SortFrameEntries(std::vector<FrameEntry>& entries) {
    std::stable_sort(entries.begin(), entries.end(),
                     [](const FrameEntry& a, const FrameEntry& b) { return a.path < b.path; });
}
