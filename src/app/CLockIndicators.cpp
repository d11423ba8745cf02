#include "app/CLockIndicators.h"

#include <QApplication>
#include <QKeyEvent>
#include <QStatusBar>

namespace {

constexpr const char* kIndicatorTexts[] = {"大写", "数字", "滚动"};

// The three panes keep the width of their text whether on or off.
constexpr int kIndicatorPadding = 8;

bool IsKeypadDigit(int key) {
    return key >= Qt::Key_0 && key <= Qt::Key_9;
}

bool IsKeypadMovement(int key) {
    switch (key) {
        case Qt::Key_Home:
        case Qt::Key_End:
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
        case Qt::Key_Insert:
        case Qt::Key_Clear:
            return true;
        default:
            return false;
    }
}

}  // namespace

CLockIndicators::CLockIndicators(QStatusBar& statusBar) : QObject(&statusBar) {
    for (int i = 0; i < 3; ++i) {
        auto* label = new QLabel(QString::fromUtf8(kIndicatorTexts[i]), &statusBar);
        label->setObjectName(QString::fromUtf8(kIndicatorTexts[i]));
        label->setAlignment(Qt::AlignCenter);
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setMinimumWidth(label->sizeHint().width() + kIndicatorPadding);
        label->setEnabled(false);
        statusBar.addPermanentWidget(label);
        m_labels[static_cast<std::size_t>(i)] = label;
    }
    qApp->installEventFilter(this);
}

void CLockIndicators::SetLock(Lock lock, bool on) {
    m_labels[lock]->setEnabled(on);
}

void CLockIndicators::OnKeyPress(const QKeyEvent& event) {
    const QString text = event.text();
    if (text.size() == 1 && text[0].isLetter() && text[0].toUpper() != text[0].toLower()) {
        const bool shift = event.modifiers().testFlag(Qt::ShiftModifier);
        SetLock(kCaps, text[0].isUpper() != shift);
    }
    if (event.modifiers().testFlag(Qt::KeypadModifier)) {
        if (IsKeypadDigit(event.key())) {
            SetLock(kNum, true);
        } else if (IsKeypadMovement(event.key())) {
            SetLock(kNum, false);
        }
    }
}

bool CLockIndicators::eventFilter(QObject* watched, QEvent* event) {
    // A key passes the filter at its window and again at every widget it
    // reaches; the window's pass is taken, once per key.
    if (event->type() == QEvent::KeyPress && watched->isWindowType()) {
        OnKeyPress(*static_cast<QKeyEvent*>(event));
    }
    return QObject::eventFilter(watched, event);
}
