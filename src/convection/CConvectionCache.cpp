#include "convection/CConvectionCache.h"

#include <algorithm>
#include <cstring>
#include <numeric>

#include "product/ObservationTime.h"

namespace {

// Geometries kept at once: the open product's and a loop's, with room.
constexpr std::size_t kMaxGeometries = 4;

bool SameOwner(const std::weak_ptr<const void>& kept, const std::shared_ptr<const void>& now) {
    return now != nullptr && !kept.expired() && !kept.owner_before(now) && !now.owner_before(kept);
}

bool SameParams(const ProjectionParams& a, const ProjectionParams& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

}  // namespace

void CConvectionCache::SetSettings(const ConvectionSettings& settings) {
    if (!(settings == m_settings)) {
        m_settings = settings;
        Clear();
    }
}

void CConvectionCache::Clear() {
    m_cells.clear();
    m_tracks = {};
    m_bTracksValid = false;
    m_cooling = {};
    m_bCoolingValid = false;
}

void CConvectionCache::ForgetReleased() {
    m_cells.remove_if([](const CellsEntry& entry) { return entry.counts.expired(); });
}

const CPixelAreas* CConvectionCache::AreasFor(const CGeoImage& product) {
    const int width = product.Description().width;
    const int height = product.Description().height;
    for (const CPixelAreas& areas : m_areas) {
        if (areas.Matches(product.Params(), width, height)) {
            return &areas;
        }
    }
    CPixelAreas areas;
    if (!areas.Build(product.Params(), width, height)) {
        return nullptr;
    }
    if (m_areas.size() >= kMaxGeometries) {
        m_areas.erase(m_areas.begin());
    }
    m_areas.push_back(std::move(areas));
    return &m_areas.back();
}

const std::vector<ColdCell>* CConvectionCache::CellsOf(const CGeoImage& product, std::string* why) {
    const std::string refusal = ColdCellRefusal(product);
    if (!refusal.empty()) {
        if (why != nullptr) {
            *why = refusal;
        }
        return nullptr;
    }
    ForgetReleased();
    const std::shared_ptr<const void> counts = product.CountsIdentity();
    for (const CellsEntry& entry : m_cells) {
        if (SameOwner(entry.counts, counts) && SameParams(entry.params, product.Params())) {
            return &entry.cells;
        }
    }
    const CPixelAreas* areas = AreasFor(product);
    if (areas == nullptr) {
        if (why != nullptr) {
            *why = "产品的地理定位不能使用,不能计算云团面积";
        }
        return nullptr;
    }
    ++m_nCellSearches;
    m_cells.push_back({counts, product.Params(),
                       FindColdCells(product.Calibrated(), product.Params(), *areas, m_settings)});
    return &m_cells.back().cells;
}

const std::vector<ColdCell>* CConvectionCache::KnownCellsOf(const CGeoImage& product) const {
    const std::shared_ptr<const void> counts = product.CountsIdentity();
    for (const CellsEntry& entry : m_cells) {
        if (SameOwner(entry.counts, counts) && SameParams(entry.params, product.Params())) {
            return &entry.cells;
        }
    }
    return nullptr;
}

const std::vector<TrackStep>* CConvectionCache::TracksOf(const std::vector<CGeoImage>& frames) {
    if (frames.empty()) {
        return nullptr;
    }
    bool same = m_bTracksValid && m_tracks.frames.size() == frames.size();
    for (std::size_t i = 0; same && i < frames.size(); ++i) {
        same = SameOwner(m_tracks.frames[i], frames[i].CountsIdentity());
    }
    if (same) {
        return &m_tracks.steps;
    }
    m_bTracksValid = false;
    // Tracked in time order; the steps then name the frames as given.
    std::vector<std::size_t> order(frames.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return ObservationMinutes(frames[a].Description()) <
               ObservationMinutes(frames[b].Description());
    });
    // A frame that could not be read has no cells and is passed over; the
    // others must share one geometry.
    std::vector<TrackFrame> sorted;
    std::vector<int> timeIndex(frames.size(), -1);
    const CGeoImage* first = nullptr;
    for (std::size_t i : order) {
        const std::vector<ColdCell>* cells = CellsOf(frames[i]);
        if (cells == nullptr) {
            continue;
        }
        if (first != nullptr && !SameGeometry(frames[i], *first)) {
            return nullptr;
        }
        first = first != nullptr ? first : &frames[i];
        timeIndex[i] = static_cast<int>(sorted.size());
        sorted.push_back({ObservationMinutes(frames[i].Description()), *cells});
    }
    if (sorted.empty()) {
        return nullptr;
    }
    m_tracks.steps = TrackCells(sorted);
    m_tracks.timeIndex = std::move(timeIndex);
    m_tracks.frames.clear();
    for (const CGeoImage& frame : frames) {
        m_tracks.frames.push_back(frame.CountsIdentity());
    }
    m_bTracksValid = true;
    return &m_tracks.steps;
}

int CConvectionCache::TimeIndexOf(int index) const {
    if (!m_bTracksValid || index < 0 || index >= static_cast<int>(m_tracks.timeIndex.size())) {
        return -1;
    }
    return m_tracks.timeIndex[static_cast<std::size_t>(index)];
}

const CCoolingMap* CConvectionCache::CoolingOf(const CGeoImage& first, const CGeoImage& second,
                                               std::string* why) {
    if (m_bCoolingValid && SameOwner(m_cooling.first, first.CountsIdentity()) &&
        SameOwner(m_cooling.second, second.CountsIdentity())) {
        return &m_cooling.map;
    }
    m_bCoolingValid = false;
    std::string reason;
    if (!m_cooling.map.Make(first, second, reason)) {
        if (why != nullptr) {
            *why = reason;
        }
        m_cooling = {};
        return nullptr;
    }
    m_cooling.first = first.CountsIdentity();
    m_cooling.second = second.CountsIdentity();
    m_bCoolingValid = true;
    return &m_cooling.map;
}
