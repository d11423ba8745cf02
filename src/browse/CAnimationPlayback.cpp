#include "browse/CAnimationPlayback.h"

#include <cstdio>

#include "product/ObservationTime.h"

CAnimationPlayback::CAnimationPlayback(std::unique_ptr<CAnimationTimer> timer)
    : m_pTimer(std::move(timer)) {
    m_pTimer->SetTimeout([this] { ShowAnimationFrame(); });
}

std::string CAnimationPlayback::CounterText(int index, int count) {
    char text[32];
    std::snprintf(text, sizeof text, "%d/%d", index + 1, count);
    return text;
}

bool CAnimationPlayback::Start(const std::vector<FrameEntry>& frames) {
    if (frames.empty()) {
        return false;
    }
    if (m_host.resetDisplayMode) {
        m_host.resetDisplayMode();
    }
    m_frames = frames;
    m_bLoopTimeTrue = m_bTimeTrue;
    if (m_bLoopTimeTrue) {
        SortByObservationTime(m_frames);
        m_nSlotMinutes = NominalSlotMinutes(m_frames);
    } else {
        m_nSlotMinutes = 0;
    }
    MakeSteps();
    std::vector<std::string> paths;
    paths.reserve(frames.size());
    for (const FrameEntry& frame : m_frames) {
        paths.push_back(frame.path);
    }
    if (m_host.loadFrames) {
        m_host.loadFrames(paths);
    }
    m_nFrame = 0;
    m_bPaused = 0;
    m_pTimer->StartSingleShot(m_nInterval);
    m_bAnimating = 1;
    return true;
}

void CAnimationPlayback::Stop() {
    m_pTimer->Stop();
    m_bAnimating = 0;
    m_nFrame = 0;
    m_bPaused = 0;
    m_frames.clear();
    m_steps.clear();
    m_nSlotMinutes = 0;
    if (m_host.releaseFrames) {
        m_host.releaseFrames();
    }
}

void CAnimationPlayback::MakeSteps() {
    m_steps = m_bLoopTimeTrue ? TimeTrueSteps(m_frames, m_nSlotMinutes) : PlainSteps(m_frames);
}

bool CAnimationPlayback::ComesAfterLoop(const FrameEntry& frame) const {
    const FrameEntry& last = m_frames.back();
    if (!m_bLoopTimeTrue) {
        return frame.path > last.path;
    }
    // Frames without a time end a time-true loop; nothing can follow them.
    return frame.observedMinutes != kUnknownObservation &&
           last.observedMinutes != kUnknownObservation &&
           frame.observedMinutes > last.observedMinutes;
}

bool CAnimationPlayback::TakeNewestFrame(const FrameEntry& frame, int maxFrames) {
    if (!m_bAnimating || m_frames.empty() || !ComesAfterLoop(frame)) {
        return false;
    }
    const int count = StepCount();
    const int due =
        m_nFrame >= 0 && m_nFrame < count ? m_steps[static_cast<std::size_t>(m_nFrame)].frame : 0;
    const bool dropFirst = FrameCount() >= maxFrames;
    if (dropFirst) {
        m_frames.erase(m_frames.begin());
    }
    m_frames.push_back(frame);
    if (m_host.addFrame) {
        m_host.addFrame(frame.path, dropFirst);
    }
    MakeSteps();
    // Without the oldest every frame moved one place down; the oldest, when
    // due, gives way to the one that is oldest now.
    const int dueNow = !dropFirst ? due : due > 0 ? due - 1 : 0;
    m_nFrame = 0;
    while (m_nFrame < StepCount() && m_steps[static_cast<std::size_t>(m_nFrame)].frame != dueNow) {
        ++m_nFrame;
    }
    return true;
}

bool CAnimationPlayback::TogglePause() {
    if (!m_bAnimating) {
        return false;
    }
    m_bPaused = m_bPaused ? 0 : 1;
    if (m_bPaused) {
        m_pTimer->Stop();
    } else {
        m_pTimer->StartSingleShot(m_nInterval);
    }
    return m_bPaused != 0;
}

void CAnimationPlayback::NextFrame() {
    if (IsPausedAnimation()) {
        m_pTimer->StartSingleShot(m_nInterval);
    }
}

void CAnimationPlayback::PreviousFrame() {
    if (IsPausedAnimation()) {
        // m_nFrame is one past the frame on screen.
        m_nFrame -= 2;
        m_pTimer->StartSingleShot(m_nInterval);
    }
}

void CAnimationPlayback::SeekWhilePaused(int position) {
    if (IsPausedAnimation()) {
        m_nFrame = position;
        m_pTimer->StartSingleShot(m_nInterval);
    }
}

std::string CAnimationPlayback::StepTimeText(int position) const {
    if (position < 0 || position >= StepCount()) {
        return std::string();
    }
    const LoopStep& step = m_steps[static_cast<std::size_t>(position)];
    const FrameEntry& frame = m_frames[static_cast<std::size_t>(step.frame)];
    if (m_nSlotMinutes == 0 || step.minutes == kUnknownObservation) {
        return frame.timeText;
    }
    return ObservationText(step.minutes);
}

void CAnimationPlayback::WrapFrameIndex() {
    const int count = StepCount();
    if (m_nFrame >= count) {
        m_nFrame = 0;
    }
    if (m_nFrame < 0) {
        m_nFrame = count - 1;
    }
}

void CAnimationPlayback::ShowAnimationFrame() {
    m_pTimer->Stop();
    // A shot that outlived its frames has nothing to show.
    if (m_steps.empty()) {
        return;
    }
    m_bAnimating = 1;
    WrapFrameIndex();
    const LoopStep& step = m_steps[static_cast<std::size_t>(m_nFrame)];
    if (m_host.setTitleMark) {
        m_host.setTitleMark(StepMark(step));
    }
    if (m_host.makeFrameCurrent) {
        m_host.makeFrameCurrent(step.frame);
    }
    if (m_readout) {
        m_readout(CounterText(m_nFrame, StepCount()), m_nFrame, StepTimeText(m_nFrame));
    }
    m_nFrame += 1;
    if (!m_bPaused) {
        m_pTimer->StartSingleShot(m_nInterval);
    }
}
