#include "browse/LoopTimeline.h"

#include <algorithm>

#include "product/ObservationTime.h"

void SortByObservationTime(std::vector<FrameEntry>& frames) {
    std::stable_sort(frames.begin(), frames.end(), [](const FrameEntry& a, const FrameEntry& b) {
        const bool aKnown = a.observedMinutes != kUnknownObservation;
        const bool bKnown = b.observedMinutes != kUnknownObservation;
        if (aKnown != bKnown) {
            return aKnown;
        }
        return aKnown && a.observedMinutes < b.observedMinutes;
    });
}

int NominalSlotMinutes(const std::vector<FrameEntry>& frames) {
    std::vector<std::int64_t> gaps;
    for (std::size_t i = 1; i < frames.size(); ++i) {
        const std::int64_t before = frames[i - 1].observedMinutes;
        const std::int64_t after = frames[i].observedMinutes;
        if (before != kUnknownObservation && after != kUnknownObservation && after > before) {
            gaps.push_back(after - before);
        }
    }
    if (gaps.empty()) {
        return 0;
    }
    const auto middle = gaps.begin() + static_cast<std::ptrdiff_t>((gaps.size() - 1) / 2);
    std::nth_element(gaps.begin(), middle, gaps.end());
    return static_cast<int>(std::min<std::int64_t>(*middle, 1 << 30));
}

std::vector<LoopStep> PlainSteps(const std::vector<FrameEntry>& frames) {
    std::vector<LoopStep> steps;
    steps.reserve(frames.size());
    for (std::size_t i = 0; i < frames.size(); ++i) {
        steps.push_back({static_cast<int>(i), frames[i].observedMinutes, false});
    }
    return steps;
}

std::vector<LoopStep> TimeTrueSteps(const std::vector<FrameEntry>& frames, int slotMinutes) {
    if (slotMinutes <= 0) {
        return PlainSteps(frames);
    }
    std::vector<LoopStep> steps;
    for (std::size_t i = 0; i < frames.size(); ++i) {
        const std::int64_t time = frames[i].observedMinutes;
        steps.push_back({static_cast<int>(i), time, false});
        if (i + 1 == frames.size() || time == kUnknownObservation ||
            frames[i + 1].observedMinutes == kUnknownObservation) {
            continue;
        }
        const std::int64_t gap = frames[i + 1].observedMinutes - time;
        const std::int64_t slots = (gap + slotMinutes / 2) / slotMinutes;
        const std::int64_t held = std::clamp<std::int64_t>(slots - 1, 0, kMaxHeldSlots);
        for (std::int64_t k = 1; k <= held; ++k) {
            steps.push_back({static_cast<int>(i), time + k * slotMinutes, true});
        }
    }
    return steps;
}

std::string StepMark(const LoopStep& step) {
    return step.held ? MissingObservationMark(step.minutes) : std::string();
}
