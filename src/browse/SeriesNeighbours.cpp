#include "browse/SeriesNeighbours.h"

#include <algorithm>
#include <filesystem>

#include "browse/CatalogueListing.h"
#include "product/HeaderSummary.h"
#include "product/ObservationTime.h"

namespace {

std::int64_t MinutesOf(const AwxSecondHeader& h) {
    return ObservationMinutes(h.year, h.month, h.day, h.hour, h.minute);
}

bool SameGeometry(const AwxSummary& a, const AwxSummary& b) {
    return a.channel == b.channel && a.category == b.category && a.element == b.element &&
           a.second.projection == b.second.projection && a.second.width == b.second.width &&
           a.second.height == b.second.height && a.second.centerLat == b.second.centerLat &&
           a.second.centerLon == b.second.centerLon;
}

bool SamePath(const std::string& a, const std::string& b) {
    std::error_code error;
    return a == b || std::filesystem::equivalent(a, b, error);
}

}  // namespace

std::vector<std::string> SeriesNeighbours(const std::string& folder, const std::string& openPath,
                                          int count) {
    AwxSummary open;
    if (!ReadAwxSummary(openPath, open)) {
        return {openPath};
    }
    const std::int64_t openMinutes = MinutesOf(open.second);
    std::vector<std::string> candidates = ListCandidateFiles(folder, "");
    // Newest names first, so that only the headers of the latest are read.
    std::sort(candidates.begin(), candidates.end(), [](const std::string& a, const std::string& b) {
        return NameTimeKey(a) > NameTimeKey(b);
    });
    std::vector<std::pair<std::int64_t, std::string>> chosen = {{openMinutes, openPath}};
    for (const std::string& path : candidates) {
        if (static_cast<int>(chosen.size()) >= count) {
            break;
        }
        AwxSummary summary;
        if (SamePath(path, openPath) || !ReadAwxSummary(path, summary) ||
            !SameGeometry(summary, open) || MinutesOf(summary.second) > openMinutes) {
            continue;
        }
        chosen.emplace_back(MinutesOf(summary.second), path);
    }
    std::stable_sort(chosen.begin(), chosen.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<std::string> paths;
    for (auto& [minutes, path] : chosen) {
        paths.push_back(std::move(path));
    }
    return paths;
}
