#include "browse/CCatalogue.h"

#include <algorithm>
#include <utility>

#include "platform/DataPaths.h"
#include "product/ObservationTime.h"

namespace {

// The folders whose candidates are kept: the file list's and the frame
// list's, and a few more a user goes back and forth between.
constexpr std::size_t kKeptFolders = 4;

bool ChannelTaken(const CatalogueQuery& query, const AwxSummary& summary) {
    return query.channel == 0 ? IsKnownAwxChannel(summary.second.channel)
                              : SummaryMatchesChannel(summary, query.channel);
}

}  // namespace

CatalogueQuery FolderQuery(const std::string& folder, const std::string& code, int channel) {
    CatalogueQuery query;
    query.folder = folder;
    query.code = code;
    query.channel = channel;
    return query;
}

bool WithinQueryTimes(const CatalogueQuery& query, const AwxSecondHeader& h) {
    if (!query.from && !query.to) {
        return true;
    }
    const std::int64_t minutes = ObservationMinutes(h.year, h.month, h.day, h.hour, h.minute);
    if (minutes == kUnknownObservation) {
        return false;
    }
    return (!query.from || minutes >= *query.from) && (!query.to || minutes <= *query.to);
}

const std::vector<std::string>& CCatalogue::Candidates(const CatalogueQuery& query) {
    if (query.recursive) {
        m_walked = ListCandidateFiles(query.folder, query.code, true);
        return m_walked;
    }
    std::vector<FolderEntry> entries;
    ReadFolderEntries(query.folder, entries);
    const auto memo = std::find_if(m_memos.begin(), m_memos.end(), [&query](const auto& m) {
        return m.folder == query.folder && m.code == query.code;
    });
    if (memo != m_memos.end() && memo->entries == entries) {
        return memo->paths;
    }
    if (memo != m_memos.end()) {
        m_memos.erase(memo);
    }
    if (m_memos.size() >= kKeptFolders) {
        m_memos.pop_back();
    }
    std::vector<std::string> paths = CandidatesAmong(query.folder, entries, query.code);
    m_memos.insert(m_memos.begin(),
                   CandidateMemo{query.folder, query.code, std::move(entries), std::move(paths)});
    return m_memos.front().paths;
}

void CCatalogue::Visit(const CatalogueQuery& query, const std::string& path, CatalogueList& out) {
    // A complete product of another channel is not looked at again while
    // its name stays: a feed never turns one channel's product into
    // another's, and the one look per file it would cost is most of a
    // listing's time. Anything not yet a product is looked at every time.
    const CachedHeader header = m_headers.Look(path, [&query](const CachedHeader& known) {
        return known.state == ProductFileState::kProduct && !ChannelTaken(query, known.summary);
    });
    if (header.state == ProductFileState::kIncomplete) {
        out.incomplete.push_back(path);
        return;
    }
    if (header.state == ProductFileState::kProduct && ChannelTaken(query, header.summary) &&
        WithinQueryTimes(query, header.summary.second)) {
        out.rows.push_back(CatalogueRow{path, header.summary});
    }
}

CatalogueList CCatalogue::List(const CatalogueQuery& query) {
    CatalogueList list;
    for (const std::string& path : Candidates(query)) {
        Visit(query, path, list);
    }
    return list;
}

CatalogueList CCatalogue::ListLatest(const CatalogueQuery& query, std::size_t count) {
    // The names alone order the candidates newest first: only the few looked
    // at become paths, and the rest are neither sorted by name nor joined.
    std::vector<std::string> walked;
    std::vector<FolderEntry> entries;
    std::vector<std::string_view> names;  // of the folder, or whole paths when walked
    if (query.recursive) {
        walked = ListCandidateFiles(query.folder, query.code, true);
        names.assign(walked.begin(), walked.end());
    } else {
        ReadFolderEntries(query.folder, entries);
        for (const FolderEntry& entry : entries) {
            if (entry.type == FolderEntryType::kFile &&
                MatchesProductName(entry.name, query.code)) {
                names.push_back(entry.name);
            }
        }
    }
    // By the times the names carry: the names of one time but other
    // channels or codes sort far apart. Names of one time in listing order.
    // Only the newest are needed, so they come off a heap one by one.
    std::vector<std::pair<std::uint64_t, std::size_t>> order;
    order.reserve(names.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
        order.emplace_back(NameTimeKey(names[i]), i);
    }
    const auto older = [&names](const auto& a, const auto& b) {
        return a.first != b.first ? a.first < b.first
                                  : NameOrderLess(names[a.second], names[b.second]);
    };
    std::make_heap(order.begin(), order.end(), older);
    CatalogueList list;
    for (auto end = order.end(); end != order.begin() && list.rows.size() < count; --end) {
        std::pop_heap(order.begin(), end, older);
        const std::string name(names[(end - 1)->second]);
        Visit(query, query.recursive ? name : CDataPaths::Join(query.folder, name), list);
    }
    std::sort(list.rows.begin(), list.rows.end(),
              [](const auto& a, const auto& b) { return NameOrderLess(a.path, b.path); });
    return list;
}
