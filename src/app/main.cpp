// kelvra [FILE]: the desktop application. With FILE, that file is opened at
// start-up in place of the empty document.

#include <QApplication>
#include <QScreen>
#include <QStringList>
#include <cstdio>

#include "app/CKelvraApp.h"
#include "app/CMainFrame.h"
#include "app/CQtSettings.h"

namespace {

constexpr int kUsageError = 2;

}  // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);  // takes Qt's own options out
    QApplication::setApplicationName(QStringLiteral("kelvra"));
    const QStringList arguments = QApplication::arguments().mid(1);
    if (arguments.size() > 1 || (arguments.size() == 1 && arguments[0].startsWith('-'))) {
        std::fprintf(stderr, "usage: kelvra [FILE]\n");
        return kUsageError;
    }
    CQtSettings settings;
    CKelvraApp app(settings, true);
    if (!app.InitInstance(arguments.isEmpty() ? std::string() : arguments[0].toStdString())) {
        return 1;
    }
    // Without a window manager "maximised" means nothing, so the frame is
    // given the screen's size first.
    CMainFrame& frame = app.MainFrame();
    if (const QScreen* screen = frame.screen()) {
        frame.setGeometry(screen->availableGeometry());
    }
    frame.showMaximized();
    return QApplication::exec();
}
