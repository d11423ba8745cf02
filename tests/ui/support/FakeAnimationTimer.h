#pragma once
// A fake clock for the animation timer: shots fire only when a test advances
// the clock, in time order, so playback tests run without waiting.

#include <functional>

#include "browse/CAnimationTimer.h"

class CFakeAnimationTimer : public CAnimationTimer {
public:
    void SetTimeout(std::function<void()> onTimeout) override {
        m_onTimeout = std::move(onTimeout);
    }
    void StartSingleShot(int milliseconds) override {
        m_bActive = true;
        m_nDue = m_nNow + milliseconds;
        m_nLastInterval = milliseconds;
        ++m_nStarts;
    }
    void Stop() override { m_bActive = false; }
    bool IsActive() const override { return m_bActive; }

    // Moves the clock on by milliseconds, firing every shot that falls due.
    void Advance(long long milliseconds) {
        const long long end = m_nNow + milliseconds;
        while (m_bActive && m_nDue <= end) {
            m_nNow = m_nDue;
            m_bActive = false;
            if (m_onTimeout) {
                m_onTimeout();
            }
        }
        m_nNow = end;
    }
    // Fires the pending shot, if any, whatever its interval.
    void FireNext() {
        if (m_bActive) {
            Advance(m_nDue - m_nNow);
        }
    }

    int LastInterval() const { return m_nLastInterval; }
    int Starts() const { return m_nStarts; }

private:
    std::function<void()> m_onTimeout;
    bool m_bActive = false;
    long long m_nNow = 0;
    long long m_nDue = 0;
    int m_nLastInterval = 0;
    int m_nStarts = 0;
};
