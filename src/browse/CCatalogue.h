#pragma once
// The one listing of a catalogue folder that the file list, the animation
// frame list and kelvra-cli's list verb share. The names come first, from one
// read of the folder; headers are read only for the names a listing looks
// at, and kept (CHeaderCache) for the life of the catalogue object, so a
// folder of tens of thousands of products lists again in the time it takes
// to look at the stamps of the channel's files. A complete product of
// another channel is not looked at again while its name stays: a feed never
// turns one channel's product into another's. A file is listed only once it
// holds every byte its header declares, so a product still being copied in
// never is.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "browse/CHeaderCache.h"
#include "browse/CatalogueListing.h"

struct CatalogueQuery {
    std::string folder;
    std::string code;  // the name test's code; "" takes every AWX name
    int channel = 0;   // channel code 1-5; 0 takes any of the five
    bool recursive = false;
    // Observation times in minutes (ObservationMinutes), both inclusive; a
    // product without a valid time is outside every bound.
    std::optional<std::int64_t> from;
    std::optional<std::int64_t> to;
};

// The query of the application's lists: one folder, one code, one channel.
CatalogueQuery FolderQuery(const std::string& folder, const std::string& code, int channel);

struct CatalogueRow {
    std::string path;
    AwxSummary summary;
};

struct CatalogueList {
    std::vector<CatalogueRow> rows;  // in listing order (ListCandidateFiles)
    // Candidates whose files were still shorter than declared: a watcher
    // looks at them again, since their growth changes no folder entry.
    std::vector<std::string> incomplete;
};

class CCatalogue {
public:
    // Every accepted product of the query.
    CatalogueList List(const CatalogueQuery& query);
    // The newest count products, found by reading headers from the newest
    // name backwards (by the time the names carry, NameTimeKey; names of one
    // time in listing order) only until count are accepted; in listing
    // order. Only the incomplete candidates met on the way are reported.
    CatalogueList ListLatest(const CatalogueQuery& query, std::size_t count);

    const CHeaderCache& Headers() const { return m_headers; }

private:
    // The candidates of one folder and code, with the folder's entries they
    // were made from: while a read of the folder gives the same entries, the
    // name test and the sort are not done again.
    struct CandidateMemo {
        std::string folder;
        std::string code;
        std::vector<FolderEntry> entries;
        std::vector<std::string> paths;
    };

    // The query's candidates in listing order (ListCandidateFiles).
    const std::vector<std::string>& Candidates(const CatalogueQuery& query);
    // Looks at one candidate and adds it to out when the query takes it.
    void Visit(const CatalogueQuery& query, const std::string& path, CatalogueList& out);

    CHeaderCache m_headers;
    std::vector<CandidateMemo> m_memos;  // the latest first
    std::vector<std::string> m_walked;   // the candidates of a walk down the folders
};

// The time filter of a query applied to one header.
bool WithinQueryTimes(const CatalogueQuery& query, const AwxSecondHeader& header);
