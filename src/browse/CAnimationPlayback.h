#pragma once
// The playback state that the view holds and the animation controls drive:
// whether an animation runs, whether it is paused and which frame comes
// next. Frames are shown by a chain of single shots of timer 4096: every
// step stops the timer first and arms it again at its end unless paused, so
// steps never pile up. The document and the view are reached through hooks.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "browse/CAnimationTimer.h"
#include "browse/CatalogueListing.h"

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
    // Sets the view's display mode to 0 (the precipitation display off).
    std::function<void()> resetDisplayMode;
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

    // Display mode 0, every frame loaded, then the first shot armed. With no
    // frames nothing changes and false is returned.
    bool Start(const std::vector<FrameEntry>& frames);
    // Timer off, state back to the start, the document's frames released.
    void Stop();
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
    const std::vector<FrameEntry>& Frames() const { return m_frames; }
    bool IsTimerActive() const { return m_pTimer->IsActive(); }
    // The counter text of frame index of count: "%d/%d" of index + 1, count.
    static std::string CounterText(int index, int count);

    // --- State (the view's members) ---------------------------------------
    std::uint8_t m_bAnimating = 0;
    std::uint8_t m_bPaused = 0;
    int m_nFrame = 0;

private:
    bool IsPausedAnimation() const { return m_bAnimating && m_bPaused; }
    // Keeps m_nFrame inside the frames: past the end wraps to the first,
    // below the first to the last.
    void WrapFrameIndex();

    std::unique_ptr<CAnimationTimer> m_pTimer;
    CAnimationHost m_host;
    FrameReadoutHook m_readout;
    std::vector<FrameEntry> m_frames;
    int m_nInterval = 200;
};
