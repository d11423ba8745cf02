#pragma once
// The listing rules that the file browser and the animation frame list share:
// which files of a catalogue folder belong to a product code and a channel,
// and the texts each list shows for them.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FolderEntries.h"
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

// The full paths of the folder's own regular files that pass the name test,
// in name order without regard to ASCII case (product names carry their
// time, so this is time order, the newest last); with recursive, those of
// its subfolders too (links to folders are not followed), ordered by the
// whole path. One read of each folder: no file is opened or looked at. A
// folder with or without a trailing separator gives the same paths; a folder
// that cannot be read gives none.
std::vector<std::string> ListCandidateFiles(const std::string& folder, const std::string& code,
                                            bool recursive = false);

// The same for one folder whose entries were read (ReadFolderEntries).
std::vector<std::string> CandidatesAmong(const std::string& folder,
                                         const std::vector<FolderEntry>& entries,
                                         const std::string& code);

// The time a product's name carries, as the number YYYYMMDDHHMM: the first
// run of at least 8 digits in the file name, its first 12 digits, or a run of
// 8 followed after one separator by 4 more ("20220331_2100"); missing digits
// count as 0. 0 for a name without such a run. Keys compare as the times do,
// so the newest products can be looked at first across channels and codes,
// whose names sort apart.
std::uint64_t NameTimeKey(std::string_view path);

// The listing's order of two names or paths: without regard to ASCII case,
// then by the bytes.
bool NameOrderLess(std::string_view a, std::string_view b);

// The header test of one candidate: identifier, category 1, both headers
// complete and the mapped channel equal to channelCode. Fills summary when
// the file is accepted.
bool ReadMatchingSummary(const std::string& path, int channelCode, AwxSummary& summary);

FileEntry MakeFileEntry(const std::string& path, const AwxSummary& summary);
FrameEntry MakeFrameEntry(const std::string& path, const AwxSummary& summary);

// The browser's rows, in name order. These two read every header; the lists
// of the application go through a CCatalogue, which keeps them.
std::vector<FileEntry> ListFileEntries(const std::string& folder, const std::string& code,
                                       int channelCode);

// The frame list's rows, in ascending order of the path text.
std::vector<FrameEntry> ListFrameEntries(const std::string& folder, const std::string& code,
                                         int channelCode);

// Puts frame entries in ascending order of the path text.
void SortFrameEntries(std::vector<FrameEntry>& entries);

struct CatalogueRow;
// The frame list's rows of a listing, in ascending order of the path text.
std::vector<FrameEntry> MakeFrameEntries(const std::vector<CatalogueRow>& rows);
