#pragma once
// The animation's timer as the playback sees it: one pending single shot at
// a time. The application runs it on a QTimer; tests drive a fake clock.

#include <functional>

// The view's timer id of the animation, kept as the system numbers it.
constexpr int kAnimationTimerId = 4096;

class CAnimationTimer {
public:
    virtual ~CAnimationTimer() = default;
    // The function run when a shot fires; the timer is inactive while it runs.
    virtual void SetTimeout(std::function<void()> onTimeout) = 0;
    // Arms one shot after milliseconds, replacing any pending shot.
    virtual void StartSingleShot(int milliseconds) = 0;
    // Drops the pending shot, if any.
    virtual void Stop() = 0;
    virtual bool IsActive() const = 0;
};
