#include "browse/CHeaderCache.h"

#include <algorithm>
#include <array>

#include "product/AwxGridHeader.h"

namespace {

// Below this many entries a sweep is not worth its look at every file.
constexpr std::size_t kFirstSweepAt = 4096;

// The two headers from the first bytes of a file, with the checks and the
// channel mapping of ReadAwxSummary.
bool ParseHeaders(const std::uint8_t* bytes, std::size_t size, AwxSummary& summary) {
    if (size < kAwxFirstHeaderSize) {
        return false;
    }
    summary.first = ParseAwxFirstHeader(bytes);
    if (!PassesAwxFirstChecks(summary.first) || size < kAwxHeadersSize) {
        return false;
    }
    summary.second = ParseAwxSecondHeader(bytes + kAwxFirstHeaderSize);
    summary.channel = MapAwxChannel(summary.second.channel);
    return true;
}

}  // namespace

std::int64_t DeclaredAwxFileSize(const AwxFirstHeader& header) {
    if (header.recordLength <= 0 || header.headerRecords <= 0 || header.dataRecords <= 0) {
        return -1;
    }
    return static_cast<std::int64_t>(header.recordLength) *
           (static_cast<std::int64_t>(header.headerRecords) + header.dataRecords);
}

ProductFileState ProductStateOf(bool headersRead, const AwxSummary& summary,
                                std::int64_t fileSize) {
    if (!headersRead) {
        return fileSize < static_cast<std::int64_t>(kAwxHeadersSize)
                   ? ProductFileState::kIncomplete
                   : ProductFileState::kNotAProduct;
    }
    return fileSize < DeclaredAwxFileSize(summary.first) ? ProductFileState::kIncomplete
                                                         : ProductFileState::kProduct;
}

CachedHeader CHeaderCache::Look(const std::string& path, const TrustedHeader& trusted) {
    const auto found = m_entries.find(path);
    if (found == m_entries.end()) {
        return Read(path);
    }
    if (trusted && trusted(found->second.header)) {
        return found->second.header;
    }
    DataFileStamp stamp;
    if (!StampDataFile(path, stamp)) {
        m_entries.erase(found);
        return CachedHeader{};
    }
    return found->second.stamp == stamp ? found->second.header : Read(path);
}

CachedHeader CHeaderCache::Read(const std::string& path) {
    std::array<std::uint8_t, kAwxHeadersSize> bytes{};
    std::size_t got = 0;
    DataFileStamp stamp;
    if (!ReadFileHead(path, bytes.data(), bytes.size(), got, stamp)) {
        m_entries.erase(path);
        return CachedHeader{};
    }
    ++m_nReads;
    // The size is the stamp's: a file that grows while it is read is read
    // again at its next look, its stamp having changed.
    CachedHeader header;
    bool parsed = ParseHeaders(bytes.data(), got, header.summary);
    // A grid product's second header is another record, and its summary
    // reads as an image's would: the product reader makes it (few catalogues
    // hold grids, so the second open is rare).
    const bool grid = !parsed && got >= kAwxFirstHeaderSize && IsAwxGridFile(header.summary.first);
    if (grid) {
        parsed = ReadAwxSummary(path, header.summary);
    }
    header.state = ProductStateOf(parsed, header.summary, stamp.size);
    // A grid refused only for its rows not yet all there is still being
    // written, like an image short of its declared size.
    if (grid && !parsed && stamp.size < DeclaredAwxFileSize(header.summary.first)) {
        header.state = ProductFileState::kIncomplete;
    }
    if (header.state != ProductFileState::kProduct) {
        header.summary = AwxSummary{};
    }
    m_entries.insert_or_assign(path, Entry{stamp, header});
    SweepIfGrown();
    return header;
}

void CHeaderCache::SweepIfGrown() {
    if (m_entries.size() < std::max(m_nSweepAt, kFirstSweepAt)) {
        return;
    }
    std::erase_if(m_entries, [](const auto& entry) {
        DataFileStamp stamp;
        return !StampDataFile(entry.first, stamp);
    });
    m_nSweepAt = 2 * m_entries.size();
}
