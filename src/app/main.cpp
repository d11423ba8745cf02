// kelvra [--catalogue DIR] [--nwp-root DIR] [--quit-after MS] [FILE]: the
// desktop application. With FILE, that file is opened at start-up in place
// of the empty document (a file that cannot be opened says why and leaves the
// empty document); the folders are the product catalogue and the NWP
// catalogue root for this run, the profile keeps its own.

#include <QApplication>
#include <QFileInfo>
#include <QScreen>
#include <QTimer>
#include <cstdio>

#include "app/CKelvraApp.h"
#include "app/CMainFrame.h"
#include "app/CQtSettings.h"
#include "app/CSettingsOverlay.h"
#include "app/CSingleInstance.h"
#include "app/CommandLine.h"
#include "app/QtTranslations.h"
#include "browse/CatalogueFolder.h"
#include "nwp/NwpCatalogue.h"
#include "platform/TempFileCleanup.h"
#include "render/CGuiSession.h"

namespace {

constexpr int kUsageError = 2;

// True when another instance of this user runs (said on stderr); a start
// without a lock goes on.
bool IsSecondStart(CSingleInstance& instance) {
    switch (instance.TryAcquire()) {
        case CSingleInstance::Outcome::kAcquired:
            return false;
        case CSingleInstance::Outcome::kHeldElsewhere:
            std::fprintf(stderr, "kelvra: already running (process %lld); this start ends\n",
                         static_cast<long long>(instance.HolderPid()));
            return true;
        case CSingleInstance::Outcome::kUnavailable:
            break;
    }
    std::fprintf(stderr, "kelvra: no single-instance lock at %s; starting without one\n",
                 qPrintable(instance.LockPath()));
    return false;
}

}  // namespace

int main(int argc, char* argv[]) {
    // A picture being saved when the session ends leaves no temporary file.
    RemoveTempFilesOnTermination();
    NameRuntimeFolder();
    QApplication application(argc, argv);  // takes Qt's own options out
    QApplication::setApplicationName(QStringLiteral("kelvra"));
    // Without them Qt's dialogs stay English; the program works either way.
    InstallQtTranslations(application);
    const std::optional<CommandLineOptions> options =
        ParseCommandLine(QApplication::arguments().mid(1));
    if (!options) {
        std::fputs(kCommandLineUsage, stderr);
        return kUsageError;
    }
    // A second start of the same user ends here and says so; the running
    // instance is left alone. Without a lock the program still starts.
    CSingleInstance instance(QFileInfo(QApplication::applicationFilePath()).baseName());
    if (IsSecondStart(instance)) {
        return 0;
    }
    CQtSettings profile;
    CSettingsOverlay settings(profile);
    if (options->catalogueFolder) {
        settings.Override(kFilesPathsSection, kCatalogueFolderKey, *options->catalogueFolder);
    }
    if (options->nwpRoot) {
        settings.Override(kParamFileSection, kNwpRootKey, *options->nwpRoot);
    }
    CKelvraApp app(settings, true);
    if (!app.InitInstance(options->fileToOpen)) {
        return 1;
    }
    // Without a window manager "maximised" means nothing, so the frame is
    // given the screen's size first.
    CMainFrame& frame = app.MainFrame();
    if (const QScreen* screen = frame.screen()) {
        frame.setGeometry(screen->availableGeometry());
    }
    frame.showMaximized();
    if (options->quitAfterMs) {
        QTimer::singleShot(*options->quitAfterMs, &frame, [&frame] { frame.close(); });
    }
    return QApplication::exec();
}
