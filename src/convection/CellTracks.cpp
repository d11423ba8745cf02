#include "convection/CellTracks.h"

#include <algorithm>
#include <map>
#include <utility>

#include "convection/GreatCircle.h"
#include "product/ObservationTime.h"

namespace {

constexpr double kMinutesPerHour = 60.0;
// Shared pixels needed to continue a cell, as a part of the smaller cell.
constexpr double kMinSharedPart = 0.25;

// A run with the cell it belongs to.
struct OwnedRun {
    CellRun run;
    int cell = 0;
};

std::vector<OwnedRun> RunsOf(const std::vector<ColdCell>& cells) {
    std::vector<OwnedRun> runs;
    for (std::size_t c = 0; c < cells.size(); ++c) {
        for (const CellRun& run : cells[c].runs) {
            runs.push_back({run, static_cast<int>(c)});
        }
    }
    std::sort(runs.begin(), runs.end(), [](const OwnedRun& a, const OwnedRun& b) {
        return a.run.y != b.run.y ? a.run.y < b.run.y : a.run.x0 < b.run.x0;
    });
    return runs;
}

// Shared pixels of every pair of cells (previous, current) that overlap:
// runs of both frames are walked together row by row.
std::map<std::pair<int, int>, int> Overlaps(const std::vector<ColdCell>& previous,
                                            const std::vector<ColdCell>& current) {
    const std::vector<OwnedRun> a = RunsOf(previous);
    const std::vector<OwnedRun> b = RunsOf(current);
    std::map<std::pair<int, int>, int> shared;
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        const CellRun& ra = a[i].run;
        const CellRun& rb = b[j].run;
        if (ra.y != rb.y) {
            (ra.y < rb.y ? i : j) += 1;
            continue;
        }
        const int overlap = std::min(ra.x1, rb.x1) - std::max(ra.x0, rb.x0);
        if (overlap > 0) {
            shared[{a[i].cell, b[j].cell}] += overlap;
        }
        (ra.x1 < rb.x1 ? i : j) += 1;
    }
    return shared;
}

// For every current cell, the previous cell it continues, or -1. Pairs that
// share enough are taken in order of the pixels they share, each cell of
// either frame at most once: in a split the part sharing most with the old
// cell keeps its track, in a merge the old cell sharing most with the new
// one does (the larger ones, when cells split or merge whole).
std::vector<int> Continuations(const std::vector<ColdCell>& previous,
                               const std::vector<ColdCell>& current) {
    struct Pair {
        int p;
        int c;
        int shared;
    };
    std::vector<Pair> pairs;
    for (const auto& [cells, shared] : Overlaps(previous, current)) {
        const auto [p, c] = cells;
        const int smaller = std::min(previous[p].pixels, current[c].pixels);
        if (shared >= kMinSharedPart * smaller) {
            pairs.push_back({p, c, shared});
        }
    }
    std::sort(pairs.begin(), pairs.end(), [&](const Pair& a, const Pair& b) {
        if (a.shared != b.shared) {
            return a.shared > b.shared;
        }
        if (previous[a.p].pixels != previous[b.p].pixels) {
            return previous[a.p].pixels > previous[b.p].pixels;
        }
        return current[a.c].pixels > current[b.c].pixels;
    });
    std::vector<int> parent(current.size(), -1);
    std::vector<bool> taken(previous.size(), false);
    for (const Pair& pair : pairs) {
        if (parent[pair.c] < 0 && !taken[pair.p]) {
            parent[pair.c] = pair.p;
            taken[pair.p] = true;
        }
    }
    return parent;
}

TrackStep StepOf(int frame, int track, int cellIndex, const ColdCell& cell) {
    TrackStep step;
    step.frame = frame;
    step.track = track;
    step.cell = cellIndex;
    step.areaKm2 = cell.areaKm2;
    step.minK = cell.minK;
    step.lon = cell.lon;
    step.lat = cell.lat;
    step.x = cell.x;
    step.y = cell.y;
    return step;
}

// A frame of unknown time gives no elapsed time, so no motion is measured
// to or from it.
double HoursBetween(const TrackFrame& before, const TrackFrame& after) {
    if (before.minutes == kUnknownObservation || after.minutes == kUnknownObservation) {
        return 0.0;
    }
    return static_cast<double>(after.minutes - before.minutes) / kMinutesPerHour;
}

// Motion and growth since the step before, over the hours between them.
void AddMotion(const TrackStep& before, double hours, TrackStep& step) {
    step.moved = true;
    if (hours <= 0.0) {
        return;
    }
    step.speedKmh = GreatCircleKm(before.lon, before.lat, step.lon, step.lat) / hours;
    step.directionDeg = InitialBearingDeg(before.lon, before.lat, step.lon, step.lat);
    step.growthPctPerHour = (step.areaKm2 - before.areaKm2) / before.areaKm2 * 100.0 / hours;
}

}  // namespace

int SharedPixels(const ColdCell& a, const ColdCell& b) {
    int shared = 0;
    for (const auto& [pair, count] : Overlaps({a}, {b})) {
        shared += count;
    }
    return shared;
}

std::vector<TrackStep> TrackCells(const std::vector<TrackFrame>& frames) {
    std::vector<TrackStep> steps;
    // The step of each cell of the previous frame, by cell index.
    std::vector<std::size_t> previousSteps;
    int tracks = 0;
    for (std::size_t f = 0; f < frames.size(); ++f) {
        const std::vector<ColdCell>& cells = frames[f].cells;
        const std::vector<int> parent =
            f == 0 ? std::vector<int>(cells.size(), -1) : Continuations(frames[f - 1].cells, cells);
        const double hours = f == 0 ? 0.0 : HoursBetween(frames[f - 1], frames[f]);
        std::vector<std::size_t> currentSteps(cells.size());
        const std::size_t firstOfFrame = steps.size();
        for (std::size_t c = 0; c < cells.size(); ++c) {
            const bool continues = parent[c] >= 0;
            const int track = continues ? steps[previousSteps[parent[c]]].track : ++tracks;
            TrackStep step = StepOf(static_cast<int>(f), track, static_cast<int>(c), cells[c]);
            if (continues) {
                AddMotion(steps[previousSteps[parent[c]]], hours, step);
            }
            currentSteps[c] = steps.size();
            steps.push_back(step);
        }
        // By track within the frame; the cell indices follow the steps.
        std::stable_sort(steps.begin() + static_cast<std::ptrdiff_t>(firstOfFrame), steps.end(),
                         [](const TrackStep& a, const TrackStep& b) { return a.track < b.track; });
        for (std::size_t s = firstOfFrame; s < steps.size(); ++s) {
            currentSteps[static_cast<std::size_t>(steps[s].cell)] = s;
        }
        previousSteps = std::move(currentSteps);
    }
    return steps;
}

std::vector<int> TracksOfFrame(const std::vector<TrackStep>& steps, int frame, int cellCount) {
    std::vector<int> tracks(static_cast<std::size_t>(cellCount), 0);
    for (const TrackStep& step : steps) {
        if (step.frame == frame && step.cell < cellCount) {
            tracks[static_cast<std::size_t>(step.cell)] = step.track;
        }
    }
    return tracks;
}
