// kelvra [--catalogue DIR] [--nwp-root DIR] [--quit-after MS] [FILE...]: the
// desktop application. The first FILE is opened at start-up in place of the
// empty document (a file that cannot be opened says why and leaves the empty
// document), the others after it; the folders are the product catalogue and
// the NWP catalogue root for this run, the profile keeps its own. A second
// start of the same user hands its files to the running instance and ends.

#include <QApplication>
#include <QFileInfo>
#include <QScreen>
#include <QTimer>
#include <cstdio>

#include "app/CHandedFiles.h"
#include "app/CInstanceChannel.h"
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

// The files of the command line as absolute paths: the running instance
// was started elsewhere.
QStringList AbsolutePaths(const std::vector<std::string>& files) {
    QStringList paths;
    for (const std::string& file : files) {
        paths.append(QFileInfo(QString::fromStdString(file)).absoluteFilePath());
    }
    return paths;
}

// A second start hands its files (or only the wish to see the window) to
// the running instance and says so on stderr; the exit status.
int HandOver(const QString& program, const CSingleInstance& instance,
             const std::vector<std::string>& files) {
    const long long pid = static_cast<long long>(instance.HolderPid());
    QString why;
    if (!CInstanceChannel::Send(program, AbsolutePaths(files), why)) {
        std::fprintf(stderr, "kelvra: already running (process %lld), but %s; this start ends\n",
                     pid, qPrintable(why));
        return 1;
    }
    std::fprintf(stderr, "kelvra: already running (process %lld); %s, this start ends\n", pid,
                 files.empty() ? "its window raised" : "the files handed to it");
    return 0;
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
    if (options->help) {
        std::fputs(kCommandLineUsage, stdout);
        return 0;
    }
    // A second start of the same user hands over its files and ends here.
    // Without a lock the program still starts, and nothing listens.
    const QString program = QFileInfo(QApplication::applicationFilePath()).baseName();
    CSingleInstance instance(program);
    const CSingleInstance::Outcome lock = instance.TryAcquire();
    if (lock == CSingleInstance::Outcome::kHeldElsewhere) {
        return HandOver(program, instance, options->filesToOpen);
    }
    if (lock == CSingleInstance::Outcome::kUnavailable) {
        std::fprintf(stderr, "kelvra: no single-instance lock at %s; starting without one\n",
                     qPrintable(instance.LockPath()));
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
    const std::vector<std::string>& files = options->filesToOpen;
    if (!app.InitInstance(files.empty() ? std::string() : files.front())) {
        return 1;
    }
    // Without a window manager "maximised" means nothing, so the frame is
    // given the screen's size first.
    CMainFrame& frame = app.MainFrame();
    if (const QScreen* screen = frame.screen()) {
        frame.setGeometry(screen->availableGeometry());
    }
    frame.showMaximized();
    CHandedFiles handed(app);
    if (files.size() > 1) {
        handed.Queue(AbsolutePaths({files.begin() + 1, files.end()}));
    }
    CInstanceChannel channel(program);
    if (lock == CSingleInstance::Outcome::kAcquired &&
        !channel.Listen([&handed](const QStringList& paths) { handed.Take(paths); })) {
        std::fprintf(stderr, "kelvra: second starts cannot reach this one (no socket at %s)\n",
                     qPrintable(CInstanceChannel::SocketPathFor(program)));
    }
    if (options->quitAfterMs) {
        QTimer::singleShot(*options->quitAfterMs, &frame, [&frame] { frame.close(); });
    }
    return QApplication::exec();
}
