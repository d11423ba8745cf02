#pragma once
// The playback state that the view holds and the animation controls drive:
// whether an animation runs, whether it is paused and which frame comes
// next. A time-true loop (off unless switched on) orders the frames by
// observation time and lets every step stand for one nominal slot, holding a
// frame where an observation is missing (see LoopTimeline.h); the switch
// takes effect at the next start. Frames are shown by a chain of single shots of timer 4096: every
// step stops the timer first and arms it again at its end unless paused, so
// steps never pile up. The document and the view are reached through hooks.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "browse/CAnimationTimer.h"
#include "browse/CatalogueListing.h"
#include "browse/LoopTimeline.h"

// What the playback needs from the document and the view. Hooks left empty
// are skipped.
struct CAnimationHost {
    // Reads every file into the document's frame arrays, in order
    // (CKelvraDoc::LoadFrames); all frames are read before the first step.
    std::function<void(const std::vector<std::string>& paths)> loadFrames;
    // Makes frame index the document's product and image, sets the recompose
    // flag, recomposes the view and runs its initial update.
    std::function<void(int index)> makeFrameCurrent;
    // Empties the document's frame products and frame images.
    std::function<void()> releaseFrames;
    // Reads the file as a new last frame, letting the first frame go when
    // dropFirst, so the arrays stay index-aligned with a loop that took a
    // new frame (CKelvraDoc::AddFrame).
    std::function<void(const std::string& path, bool dropFirst)> addFrame;
    // Sets the view's display mode to 0 (the precipitation display off).
    std::function<void()> resetDisplayMode;
    // The mark the title line carries for the next frame made current:
    // "缺测 HH:MM" on a held step, else "".
    std::function<void(const std::string& mark)> setTitleMark;
};

// The read-outs of one shown frame: counter text "%d/%d", slider position
// and the frame's time text.
using FrameReadoutHook =
    std::function<void(const std::string& counter, int position, const std::string& timeText)>;

class CAnimationPlayback {
public:
    // The playback owns the timer and takes over its timeout.
    explicit CAnimationPlayback(std::unique_ptr<CAnimationTimer> timer);
    CAnimationPlayback(const CAnimationPlayback&) = delete;
    CAnimationPlayback& operator=(const CAnimationPlayback&) = delete;

    void SetHost(CAnimationHost host) { m_host = std::move(host); }
    void SetReadoutHook(FrameReadoutHook hook) { m_readout = std::move(hook); }
    // The interval every later arming uses; the controls pass each accepted value.
    void SetInterval(int milliseconds) { m_nInterval = milliseconds; }
    int Interval() const { return m_nInterval; }
    // Paces the next start by observation times (see above).
    void SetTimeTrue(bool on) { m_bTimeTrue = on; }
    bool TimeTrue() const { return m_bTimeTrue; }

    // Display mode 0, every frame loaded (in time order for a time-true
    // loop), then the first shot armed. With no frames nothing changes and
    // false is returned.
    bool Start(const std::vector<FrameEntry>& frames);
    // Timer off, state back to the start, the document's frames released.
    void Stop();
    // While a loop runs: frame joins it at the end and, when the loop holds
    // maxFrames already, its oldest frame leaves, so a loop of the latest
    // products follows the catalogue; the frame due next stays due next.
    // Taken only when frame comes after the loop's last frame in the loop's
    // order (path order, or a later observation time in a time-true loop);
    // false otherwise.
    bool TakeNewestFrame(const FrameEntry& frame, int maxFrames);
    // Toggles pausing; returns the new paused state. Pausing stops the
    // timer, continuing arms it. Ignored (false) while nothing plays.
    bool TogglePause();
    // While paused: one step after the interval shows frame m_nFrame.
    void NextFrame();
    // While paused: one step after the interval shows the frame before the
    // one on screen (from the first it wraps to the last).
    void PreviousFrame();
    // While paused: one step after the interval shows frame position.
    // While playing, slider moves are ignored (the next step moves it back).
    void SeekWhilePaused(int position);

    // The step of timer 4096.
    void ShowAnimationFrame();

    int FrameCount() const { return static_cast<int>(m_frames.size()); }
    // The frames in play order, as loaded.
    const std::vector<FrameEntry>& Frames() const { return m_frames; }
    // The steps of the loop: one per frame, or one per slot when time-true.
    int StepCount() const { return static_cast<int>(m_steps.size()); }
    const std::vector<LoopStep>& Steps() const { return m_steps; }
    // The slot of the running time-true loop in minutes; 0 otherwise.
    int SlotMinutes() const { return m_nSlotMinutes; }
    // The time text of step position: the frame's own, or the slot's time
    // in a time-true loop; "" outside the steps.
    std::string StepTimeText(int position) const;
    bool IsTimerActive() const { return m_pTimer->IsActive(); }
    // The counter text of frame index of count: "%d/%d" of index + 1, count.
    static std::string CounterText(int index, int count);

    // --- State (the view's members) ---------------------------------------
    std::uint8_t m_bAnimating = 0;
    std::uint8_t m_bPaused = 0;
    int m_nFrame = 0;

private:
    bool IsPausedAnimation() const { return m_bAnimating && m_bPaused; }
    // Keeps m_nFrame inside the steps: past the end wraps to the first,
    // below the first to the last.
    void WrapFrameIndex();
    bool ComesAfterLoop(const FrameEntry& frame) const;
    // The steps of m_frames for the loop's pacing.
    void MakeSteps();

    std::unique_ptr<CAnimationTimer> m_pTimer;
    CAnimationHost m_host;
    FrameReadoutHook m_readout;
    std::vector<FrameEntry> m_frames;
    std::vector<LoopStep> m_steps;
    int m_nInterval = 200;
    bool m_bTimeTrue = false;
    bool m_bLoopTimeTrue = false;  // the running loop's pacing, as it started
    int m_nSlotMinutes = 0;
};
