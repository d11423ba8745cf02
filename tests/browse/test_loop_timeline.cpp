// The time-true loop: frames put in observation-time order whatever their
// names, the slot taken from the typical spacing, missing observations held
// and marked.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "browse/LoopTimeline.h"
#include "product/ObservationTime.h"

namespace {

struct Frame {
    const char* path;
    int day;  // of March 2022; 0 for a frame without a time
    int hour;
    int minute;
};

// "0 1 1[缺测 12:00] 2": the frame of each step, held steps with their mark.
std::string Describe(const std::vector<LoopStep>& steps) {
    std::string text;
    for (const LoopStep& step : steps) {
        text += (text.empty() ? "" : " ") + std::to_string(step.frame);
        if (step.held) {
            text += "[" + StepMark(step) + "]";
        }
    }
    return text;
}

struct TimelineCase {
    const char* name;
    std::vector<Frame> frames;
    std::string order;  // paths after sorting
    int slot;
    std::string steps;
};

TEST(LoopTimeline, OrdersSpacesAndHoldsFrames) {
    const TimelineCase cases[] = {
        {"hourly with a missing hour",
         {{"a", 31, 10, 0}, {"b", 31, 11, 0}, {"c", 31, 13, 0}, {"d", 31, 14, 0}},
         "abcd",
         60,
         "0 1 1[缺测 12:00] 2 3"},
        {"names out of time order",
         {{"c", 31, 12, 0}, {"a", 31, 10, 0}, {"b", 31, 11, 0}},
         "abc",
         60,
         "0 1 2"},
        {"half-hourly with a two-hour gap",
         {{"a", 31, 0, 0}, {"b", 31, 0, 30}, {"c", 31, 1, 0}, {"d", 31, 3, 0}},
         "abcd",
         30,
         "0 1 2 2[缺测 01:30] 2[缺测 02:00] 2[缺测 02:30] 3"},
        {"across midnight",
         {{"a", 30, 23, 0}, {"b", 31, 1, 0}, {"c", 31, 2, 0}},
         "abc",
         60,
         "0 0[缺测 00:00] 1 2"},
        {"frames without a time follow, unpaced",
         {{"x", 0, 0, 0}, {"b", 31, 11, 0}, {"a", 31, 10, 0}},
         "abx",
         60,
         "0 1 2"},
        {"one frame", {{"a", 31, 10, 0}}, "a", 0, "0"},
    };
    for (const TimelineCase& c : cases) {
        std::vector<FrameEntry> frames;
        for (const Frame& f : c.frames) {
            FrameEntry entry;
            entry.path = f.path;
            if (f.day != 0) {
                entry.observedMinutes = ObservationMinutes(2022, 3, f.day, f.hour, f.minute);
            }
            frames.push_back(entry);
        }
        SortByObservationTime(frames);
        std::string order;
        for (const FrameEntry& f : frames) {
            order += f.path;
        }
        EXPECT_EQ(order, c.order) << c.name;
        const int slot = NominalSlotMinutes(frames);
        EXPECT_EQ(slot, c.slot) << c.name;
        EXPECT_EQ(Describe(TimeTrueSteps(frames, slot)), c.steps) << c.name;
        EXPECT_EQ(Describe(PlainSteps(frames)).find('['), std::string::npos) << c.name;
    }
}

}  // namespace
