#include "channels/ChannelFinder.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "browse/CatalogueListing.h"
#include "product/AwxHeaders.h"
#include "product/HeaderSummary.h"

namespace {

bool SameTime(const AwxSecondHeader& a, const AwxSecondHeader& b) {
    return a.year == b.year && a.month == b.month && a.day == b.day && a.hour == b.hour &&
           a.minute == b.minute;
}

// Every field that places a pixel on the earth.
bool SameGeometry(const AwxSecondHeader& a, const AwxSecondHeader& b) {
    return a.projection == b.projection && a.width == b.width && a.height == b.height &&
           a.centerLat == b.centerLat && a.centerLon == b.centerLon &&
           a.horizontalResolution == b.horizontalResolution &&
           a.verticalResolution == b.verticalResolution && a.stdLat1 == b.stdLat1 &&
           a.stdLat2 == b.stdLat2 && a.northBound == b.northBound && a.southBound == b.southBound &&
           a.westBound == b.westBound && a.eastBound == b.eastBound;
}

std::string FileName(const std::string& path) {
    return std::filesystem::path(path).filename().string();
}

std::string UpperCased(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

// Whether the name carries a wanted channel's short name as a word of its
// own ("_WV_", "_IR1.", "-VIS-"), so "WV" is not found inside other words.
bool NamesWantedChannel(const std::string& path, const std::vector<int>& channels) {
    const std::string name = "_" + UpperCased(FileName(path)) + "_";
    for (int code : channels) {
        const std::string shortName = ShortNameOfChannel(code);
        for (std::size_t at = name.find(shortName); at != std::string::npos;
             at = name.find(shortName, at + 1)) {
            const char before = name[at - 1];
            const char after =
                at + shortName.size() < name.size() ? name[at + shortName.size()] : '_';
            if (!std::isalnum(static_cast<unsigned char>(before)) &&
                !std::isalnum(static_cast<unsigned char>(after))) {
                return true;
            }
        }
    }
    return false;
}

std::vector<std::string> Folders(const ChannelSearch& search) {
    std::vector<std::string> folders{std::filesystem::path(search.productPath).parent_path()};
    if (folders.front().empty()) {
        folders.front() = ".";
    }
    for (const std::string& folder : search.folders) {
        const auto same = [&](const std::string& known) {
            std::error_code error;
            return std::filesystem::equivalent(known, folder, error);
        };
        if (!folder.empty() && std::none_of(folders.begin(), folders.end(), same)) {
            folders.push_back(folder);
        }
    }
    return folders;
}

// The candidates of one folder, the likeliest first; without every file
// when only names that carry no other time are wanted.
std::vector<std::string> InLookingOrder(const std::string& folder, const ChannelSearch& search,
                                        bool sameTimeOnly) {
    std::vector<std::string> files = ListCandidateFiles(folder, "");
    const std::uint64_t time = NameTimeKey(search.productPath);
    if (sameTimeOnly && time != 0) {
        std::erase_if(files, [time](const std::string& path) {
            const std::uint64_t key = NameTimeKey(path);
            return key != 0 && key != time;
        });
    }
    const auto rank = [&](const std::string& path) {
        return (NameTimeKey(path) == time ? 0 : 2) +
               (NamesWantedChannel(path, search.channels) ? 0 : 1);
    };
    std::stable_sort(files.begin(), files.end(),
                     [&](const std::string& a, const std::string& b) { return rank(a) < rank(b); });
    return files;
}

class CChannelLookout {
public:
    CChannelLookout(const AwxSummary& open, const std::vector<int>& wanted)
        : m_open(open), m_wanted(wanted) {}

    // Takes the file when it holds a wanted channel not yet found.
    void Consider(const std::string& path, FoundChannels& found) {
        AwxSummary summary;
        if (!ReadAwxSummary(path, summary) || summary.category != 1 ||
            AwxSatelliteName(summary.second) != AwxSatelliteName(m_open.second) ||
            !SameTime(summary.second, m_open.second)) {
            return;
        }
        const int code = summary.channel;
        if (!Wanted(code) || !found.paths[static_cast<std::size_t>(code)].empty()) {
            return;
        }
        if (SameGeometry(summary.second, m_open.second)) {
            found.paths[static_cast<std::size_t>(code)] = path;
        } else if (m_refused[static_cast<std::size_t>(code)].empty()) {
            m_refused[static_cast<std::size_t>(code)] = path;
        }
    }

    bool Complete(const FoundChannels& found) const {
        return std::all_of(m_wanted.begin(), m_wanted.end(), [&](int code) {
            return !found.paths[static_cast<std::size_t>(code)].empty();
        });
    }

    std::string Problem(const FoundChannels& found) const {
        std::string problem;
        for (int code : m_wanted) {
            const auto at = static_cast<std::size_t>(code);
            if (!found.paths[at].empty()) {
                continue;
            }
            problem += problem.empty() ? "" : "\n";
            problem += m_refused[at].empty() ? "找不到同一时次的" + ChannelName(code) + "通道文件"
                                             : ChannelName(code) + "通道文件 " + m_refused[at] +
                                                   " 的大小或投影与打开的产品不同，不能组合";
        }
        return problem;
    }

private:
    bool Wanted(int code) const {
        return std::find(m_wanted.begin(), m_wanted.end(), code) != m_wanted.end();
    }

    const AwxSummary& m_open;
    const std::vector<int>& m_wanted;
    std::array<std::string, kChannelCodeCount> m_refused;
};

}  // namespace

bool FindChannelFiles(const ChannelSearch& search, FoundChannels& found) {
    found = FoundChannels{};
    AwxSummary open;
    if (!ReadAwxSummary(search.productPath, open) || open.category != 1) {
        found.problem = "打开的文件不是卫星通道产品，不能组合通道";
        return false;
    }
    CChannelLookout lookout(open, search.channels);
    lookout.Consider(search.productPath, found);
    const std::vector<std::string> folders = Folders(search);
    for (std::size_t f = 0; f < folders.size(); ++f) {
        for (const std::string& path : InLookingOrder(folders[f], search, f > 0)) {
            if (lookout.Complete(found)) {
                return true;
            }
            lookout.Consider(path, found);
        }
    }
    found.problem = lookout.Problem(found);
    return found.problem.empty();
}
