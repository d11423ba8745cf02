#include "ui/CWaitCursor.h"

#include <QApplication>

CWaitCursor::CWaitCursor() {
    // Without a widget application (core benchmarks) there is no cursor.
    if (qobject_cast<QApplication*>(QCoreApplication::instance())) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        m_bSet = true;
    }
}

CWaitCursor::~CWaitCursor() {
    if (m_bSet) {
        QApplication::restoreOverrideCursor();
    }
}
