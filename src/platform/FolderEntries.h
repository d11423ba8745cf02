#pragma once
// The entries of a folder, read at once with the type the folder records for
// each, so a folder of tens of thousands of files is listed without a look at
// every file. Links are followed to say whether they lead to a regular file;
// a link to a folder counts as neither, so a walk down the folders never
// goes round in circles.

#include <string>
#include <vector>

enum class FolderEntryType { kFile, kFolder, kOther };

struct FolderEntry {
    std::string name;
    FolderEntryType type = FolderEntryType::kOther;

    bool operator==(const FolderEntry&) const = default;
};

// The entries of folder ("." and ".." left out), in the folder's own order;
// false, with none, when the folder cannot be read.
bool ReadFolderEntries(const std::string& folder, std::vector<FolderEntry>& entries);
