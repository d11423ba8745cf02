#pragma once
// The listing rules that the file browser and the animation frame list share:
// which files of a catalogue folder belong to a product code and a channel,
// and the texts each list shows for them.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "product/HeaderSummary.h"
#include "product/ObservationTime.h"

// One row of the file browser. Texts are UTF-8 and never cut.
struct FileEntry {
    std::string timeText;        // "2022年03月31日 21:00"
    std::string projectionText;  // "等经纬度", "未知" for an unknown code
    std::string centreText;      // "[97.50,27.50]"
    std::string sizeText;        // "1900×1300"
    std::string path;            // full path, folder + separator + name
};

// One row of the animation frame list.
struct FrameEntry {
    std::string timeText;
    std::string path;
    // The header's observation time, for loops paced by it.
    std::int64_t observedMinutes = kUnknownObservation;
};

// The name test: an AWX name (IsAwxName) whose upper-cased base name contains
// code anywhere.
bool MatchesProductName(const std::string& fileName, const std::string& code);

// The full paths of the folder's own regular, non-empty files that pass the
// name test, in name order without regard to ASCII case (product names carry
// their time, so this is time order, the newest last). A folder with or
// without a trailing separator gives the same paths; a folder that cannot be
// read gives none.
std::vector<std::string> ListCandidateFiles(const std::string& folder, const std::string& code);

// The header test of one candidate: identifier, category 1, both headers
// complete and the mapped channel equal to channelCode. Fills summary when
// the file is accepted.
bool ReadMatchingSummary(const std::string& path, int channelCode, AwxSummary& summary);

// Called for every accepted file, in name order.
using CatalogueVisitor = std::function<void(const std::string& path, const AwxSummary& summary)>;

// The one listing routine: candidates of the folder, then the header test.
void ListCatalogue(const std::string& folder, const std::string& code, int channelCode,
                   const CatalogueVisitor& visit);

FileEntry MakeFileEntry(const std::string& path, const AwxSummary& summary);
FrameEntry MakeFrameEntry(const std::string& path, const AwxSummary& summary);

// The browser's rows, in name order.
std::vector<FileEntry> ListFileEntries(const std::string& folder, const std::string& code,
                                       int channelCode);

// The frame list's rows, in ascending order of the path text.
std::vector<FrameEntry> ListFrameEntries(const std::string& folder, const std::string& code,
                                         int channelCode);

// Puts frame entries in ascending order of the path text.
void SortFrameEntries(std::vector<FrameEntry>& entries);
