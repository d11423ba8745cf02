#pragma once
// The animation timer on a QTimer in single-shot mode, so a step that takes
// longer than the interval delays the next one instead of queueing events.

#include <QTimer>

#include "browse/CAnimationTimer.h"

class CQtAnimationTimer : public CAnimationTimer {
public:
    CQtAnimationTimer();
    CQtAnimationTimer(const CQtAnimationTimer&) = delete;
    CQtAnimationTimer& operator=(const CQtAnimationTimer&) = delete;

    void SetTimeout(std::function<void()> onTimeout) override;
    void StartSingleShot(int milliseconds) override;
    void Stop() override;
    bool IsActive() const override;

private:
    QTimer m_timer;
    std::function<void()> m_onTimeout;
};
