#pragma once
// The steps a loop shows. A plain loop shows every frame once, in the order
// given. A time-true loop orders the frames by observation time and lets one
// step stand for one nominal slot: the median gap between successive
// observations (the typical spacing, undisturbed by a few missing hours);
// where an observation is missing, the frame before it is held for the
// missing slots and marked "缺测 HH:MM".

#include <cstdint>
#include <string>
#include <vector>

#include "browse/CatalogueListing.h"

// A held frame stays at most this many slots, so one wrong date in a header
// cannot turn the loop into thousands of steps.
constexpr int kMaxHeldSlots = 48;

struct LoopStep {
    int frame = 0;             // index into the frames
    std::int64_t minutes = 0;  // the slot's time (kUnknownObservation if none)
    bool held = false;         // the slot's own observation is missing
};

// Orders frames by observation time; equal times keep their order, frames
// without a time follow the timed ones in their order.
void SortByObservationTime(std::vector<FrameEntry>& frames);

// The nominal slot of frames in time order: the median of the positive gaps
// between successive known times (the lower middle of an even count, so the
// slot is one of the gaps). 0 when there is no such gap.
int NominalSlotMinutes(const std::vector<FrameEntry>& frames);

// Every frame once, in order.
std::vector<LoopStep> PlainSteps(const std::vector<FrameEntry>& frames);

// The steps of frames in time order paced by slotMinutes: each frame in its
// slot, then the frame held through the slots up to the next observation
// (the gap divided by the slot, rounded). A slot of 0 gives the plain steps.
std::vector<LoopStep> TimeTrueSteps(const std::vector<FrameEntry>& frames, int slotMinutes);

// The title-line mark of a step: "缺测 HH:MM" for a held step, else "".
std::string StepMark(const LoopStep& step);
