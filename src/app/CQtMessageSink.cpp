#include "app/CQtMessageSink.h"

#include <QApplication>
#include <QMessageBox>

void CQtMessageSink::Show(const std::string& utf8Text) {
    QMessageBox::warning(QApplication::activeWindow(), QStringLiteral("kelvra"),
                         QString::fromStdString(utf8Text));
}
