#include "view/CQtAnimationTimer.h"

#include <QString>

CQtAnimationTimer::CQtAnimationTimer() {
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    m_timer.setObjectName(QString::number(kAnimationTimerId));
    QObject::connect(&m_timer, &QTimer::timeout, &m_timer, [this] {
        if (m_onTimeout) {
            m_onTimeout();
        }
    });
}

void CQtAnimationTimer::SetTimeout(std::function<void()> onTimeout) {
    m_onTimeout = std::move(onTimeout);
}

void CQtAnimationTimer::StartSingleShot(int milliseconds) {
    m_timer.start(milliseconds);
}

void CQtAnimationTimer::Stop() {
    m_timer.stop();
}

bool CQtAnimationTimer::IsActive() const {
    return m_timer.isActive();
}
