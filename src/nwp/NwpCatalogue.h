#pragma once
// The NWP catalogue the overlay selection browses: the root folder from the
// profile, its nwp.txt describing each data class (class folder and title,
// the data types with their folders and level folders), and the rows of the
// selection list: the diamond files of one folder.
//
// nwp.txt, for class n, after the first line that contains "class<n>":
//   class folder, class title, number of types T
//   T times: type folder, type title, number of levels L; then L lines, each
//   one level folder name (the whole line)
// The last word of a folder/title/count line is taken first, then the word
// before it; the rest of the line, blanks included, is the folder.

#include <cstddef>
#include <string>
#include <vector>

#include "platform/Settings.h"

constexpr char kParamFileSection[] = "PARAM FILE";
constexpr char kNwpRootKey[] = "Nwp Root";
constexpr char kNwpCatalogueName[] = "nwp.txt";
constexpr int kNwpClassCount = 6;
// A catalogue is a few hundred bytes; a larger file is refused by its size unread.
constexpr std::size_t kNwpCatalogueMaxBytes = 1024 * 1024;

// "d:\mdata" on Windows, ~/mdata elsewhere.
std::string DefaultNwpRoot();

// The profile's "PARAM FILE" / "Nwp Root", or the default. Only ever read.
std::string ReadNwpRoot(const CSettings& settings);

// Folder names and titles keep the file's GBK bytes.
struct NwpDataType {
    std::string folder;
    std::string title;
    std::vector<std::string> levels;
};

struct NwpDataClass {
    std::string folder;
    std::string title;
    std::vector<NwpDataType> types;
};

// Parses catalogue text for class n (1..6). False when no line contains
// "class<n>" (for class 1 a "class10" line matches too: only containment is
// tested). Blank lines are skipped and line ends may be LF, CR LF or CR CR
// LF; a file that ends early keeps the types and levels read so far.
bool ParseNwpCatalogue(const std::string& text, int classNumber, NwpDataClass& out);

// Reads root/nwp.txt; false when it cannot be read, is no regular file or is
// too large, or lacks the class.
bool ReadNwpCatalogue(const std::string& root, int classNumber, NwpDataClass& out);

// The folders rows are listed from, each ending with the separator:
// root/class/type/ and root/class/type/level/. A GBK name that is not on
// disk as such but is in UTF-8 (data copied from Windows by a tool that
// converted the names) is taken in UTF-8.
std::string NwpTypeFolder(const std::string& root, const NwpDataClass& dataClass,
                          const NwpDataType& type);
std::string NwpLevelFolder(const std::string& root, const NwpDataClass& dataClass,
                           const NwpDataType& type, const std::string& level);

// One row of the selection list; the texts are UTF-8 for display.
struct NwpFileRow {
    int selected = 0;
    std::string fieldName;
    std::string dateTime;
    std::string reserved;
    std::string path;
};

// The rows of a folder: every file that is neither a sub-folder, nor empty,
// nor named *.awx in any case, and that the overlay probe accepts; in name
// order, so that the list is the same on every file system. A missing
// folder gives no rows.
std::vector<NwpFileRow> BuildNwpRows(const std::string& folder);
