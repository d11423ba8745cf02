#pragma once
// The headers of a catalogue's product files, read once per version of each
// file. An entry is kept by path together with the file's stamp (size,
// modification time, file number) and read again only when the stamp
// changes, so a listing through the cache is observably the same as reading
// every header afresh. A folder of products is listed over and over (every
// product command, tab, animation and change of the folder) while its files,
// once written, never change.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <unordered_map>

#include "platform/CDataFileCache.h"
#include "product/HeaderSummary.h"

enum class ProductFileState {
    kNotAProduct,  // missing, not a regular file, or headers that fail the checks
    kIncomplete,   // shorter than its headers declare: still being written
    kProduct,      // headers accepted and every declared byte present
};

struct CachedHeader {
    ProductFileState state = ProductFileState::kNotAProduct;
    AwxSummary summary;  // filled for kProduct
};

// The file size the first header declares: record length × (header records
// + data records); -1 when a field is not positive and nothing is declared.
std::int64_t DeclaredAwxFileSize(const AwxFirstHeader& header);

// The state of a file of fileSize bytes whose headers were (or could not be)
// read: a file that cannot hold both headers yet, or holds fewer bytes than
// declared, is still being written; a feed renames its products in only when
// complete, but a copy in place grows from nothing.
ProductFileState ProductStateOf(bool headersRead, const AwxSummary& summary, std::int64_t fileSize);

class CHeaderCache {
public:
    // Whether a cached header may be taken without a look at the file.
    using TrustedHeader = std::function<bool(const CachedHeader& header)>;

    // The header of the file at path as it is now: read when the path is
    // new or its stamp changed, otherwise as cached; a cached header that
    // trusted accepts is taken without a look at the file. A new path is
    // read through one open, its stamp taken on the way.
    CachedHeader Look(const std::string& path, const TrustedHeader& trusted = {});

    // How many files were opened and read (for tests).
    int Reads() const { return m_nReads; }
    std::size_t Size() const { return m_entries.size(); }

private:
    struct Entry {
        DataFileStamp stamp;
        CachedHeader header;
    };

    // Reads the file's headers and keeps them under its stamp.
    CachedHeader Read(const std::string& path);
    // Drops the entries of files that no longer exist; run whenever the
    // cache has doubled, so a folder whose old products are removed does not
    // keep them for the life of the process.
    void SweepIfGrown();

    std::unordered_map<std::string, Entry> m_entries;
    std::size_t m_nSweepAt = 0;
    int m_nReads = 0;
};
