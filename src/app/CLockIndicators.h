#pragma once
// The status bar's "大写", "数字" and "滚动" indicators. Qt cannot read the
// keyboard's lock states portably, so they are inferred from the keys the
// application sees: a letter whose case disagrees with Shift means Caps Lock
// is on, one that agrees means it is off; a keypad key that types a digit
// means Num Lock is on, one that moves the cursor means it is off. Scroll
// Lock shows nothing that could tell. An indicator reads greyed while its
// lock is off or not yet known.

#include <QLabel>
#include <QObject>
#include <array>

class QKeyEvent;
class QStatusBar;

class CLockIndicators : public QObject {
    Q_OBJECT

public:
    enum Lock { kCaps = 0, kNum = 1, kScroll = 2 };

    // Adds the three indicators to the bar and watches the application's keys.
    explicit CLockIndicators(QStatusBar& statusBar);

    // Takes what one key press tells about the locks.
    void OnKeyPress(const QKeyEvent& event);
    void SetLock(Lock lock, bool on);
    bool IsOn(Lock lock) const { return m_labels[lock]->isEnabled(); }
    QLabel& Label(Lock lock) const { return *m_labels[lock]; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::array<QLabel*, 3> m_labels{};
};
