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
    if (m_bTimeTrue) {
        SortByObservationTime(m_frames);
        m_nSlotMinutes = NominalSlotMinutes(m_frames);
        m_steps = TimeTrueSteps(m_frames, m_nSlotMinutes);
    } else {
        m_nSlotMinutes = 0;
        m_steps = PlainSteps(m_frames);
    }
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
