// The desktop program as a process: one instance at a time per user, said
// on stderr; a second start's files handed to the running instance over a
// bounded message, also past a socket left by a crash; a lock left by a dead
// process, or one that tells no owner, taken over; a lock another user
// planted at the old shared name ignored; the file named on the command line
// opened.

#include <QProcess>
#include <QSysInfo>
#include <QtTest>
#include <fstream>
#include <memory>

#include <sys/stat.h>
#include <unistd.h>

#include "app/CSingleInstance.h"
#include "app/InstanceMessage.h"
#include "support/TestSupport.h"
#include "ui/support/UiTestSupport.h"

namespace {

// Each run gets its own temporary folder and its own profile, so neither the
// user's instance nor the user's settings are touched. The lock lies in the
// runtime folder: the temporary folder itself, or when the run names none,
// the one the program makes there (runtime-<uid>).
class CIsolatedRun {
public:
    explicit CIsolatedRun(bool namedRuntimeFolder = true) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        const QString root = QString::fromStdString(m_dir.Path());
        env.insert("TMPDIR", root);
        env.insert("HOME", root);
        env.insert("XDG_CONFIG_HOME", root + "/config");
        env.remove("XDG_RUNTIME_DIR");
        m_runtime = root + "/runtime-" + QString::number(getuid());
        if (namedRuntimeFolder) {
            env.insert("XDG_RUNTIME_DIR", root);
            m_runtime = root;
        }
        env.insert("QT_QPA_PLATFORM", "offscreen");
        m_env = env;
    }

    void Start(QProcess& process, const QStringList& arguments) const {
        process.setProcessEnvironment(m_env);
        // Started where the data folder is, as a user would.
        process.setWorkingDirectory(QStringLiteral(KELVRA_SOURCE_DIR));
        process.start(QStringLiteral(KELVRA_APP), arguments);
    }

    // The profile the runs wrote.
    QSettings& Profile() {
        m_profile = std::make_unique<QSettings>(
            QString::fromStdString(m_dir.Path()) +
                "/config/Local AppWizard-Generated Applications/kelvra.conf",
            QSettings::IniFormat);
        return *m_profile;
    }

    QString LockPath() const { return m_runtime + "/kelvra.lock"; }
    QString SocketPath() const { return m_runtime + "/kelvra.socket"; }
    QString RuntimeFolder() const { return m_runtime; }
    const CTempDir& Dir() const { return m_dir; }

private:
    CTempDir m_dir;
    QString m_runtime;
    QProcessEnvironment m_env;
    std::unique_ptr<QSettings> m_profile;
};

}  // namespace

class TestAppProcess : public QObject {
    Q_OBJECT

private slots:
    void secondInstanceSaysSo() {
        CIsolatedRun run;
        QProcess first;
        run.Start(first, {"--quit-after", "20000"});
        QVERIFY(first.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(run.LockPath()), 10000);

        QProcess second;
        run.Start(second, {"--quit-after", "20000"});
        QVERIFY(second.waitForFinished(10000));  // long before its own quit time
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
        const QString said = QString::fromUtf8(second.readAllStandardError());
        QVERIFY2(said.contains("already running (process " + QString::number(first.processId())),
                 qPrintable(said));
        QCOMPARE(first.state(), QProcess::Running);

        first.terminate();
        QVERIFY(first.waitForFinished(10000));
    }

    // A second start with a file hands it over and the first window opens
    // it, also when a crashed instance left its socket behind.
    void secondStartHandsOverItsFile_data() {
        QTest::addColumn<bool>("staleSocket");
        QTest::newRow("fresh runtime folder") << false;
        QTest::newRow("socket left by a crash") << true;
    }

    void secondStartHandsOverItsFile() {
        QFETCH(bool, staleSocket);
        CIsolatedRun run;
        const std::string first = run.Dir().File("FY2G_LCN_IR1_202203311300.AWX");
        const std::string second = run.Dir().File("FY2G_LCN_IR1_202203311400.AWX");
        QVERIFY(WriteTestProduct(first));
        QVERIFY(WriteTestProduct(second));
        if (staleSocket) {
            std::ofstream(run.SocketPath().toStdString()) << "left by a crash";
        }
        QProcess app;
        run.Start(app, {"--quit-after", "8000", QString::fromStdString(first)});
        QVERIFY(app.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(run.LockPath()), 10000);

        QProcess again;
        run.Start(again, {QString::fromStdString(second)});
        QVERIFY(again.waitForFinished(20000));
        const QString said = QString::fromUtf8(again.readAllStandardError());
        QCOMPARE(again.exitCode(), 0);
        QVERIFY2(said.contains("the files handed to it"), qPrintable(said));
        QVERIFY(app.waitForFinished(20000));
        // The newest recent file is the one handed over, the first after it.
        QCOMPARE(run.Profile().value("Recent File List/File1").toString().toStdString(), second);
        QCOMPARE(run.Profile().value("Recent File List/File2").toString().toStdString(), first);
    }

    // Only a message a second start could have sent is taken: paths, each
    // absolute, within bounds, nothing after the end.
    void handOverMessagesAreChecked_data() {
        QTest::addColumn<QByteArray>("message");
        QTest::addColumn<QStringList>("paths");  // expected; {"refused"} for none
        const QStringList refused{"refused"};
        QTest::newRow("raise only") << QByteArray("kelvra-open 1\n\n") << QStringList();
        QTest::newRow("two files") << QByteArray("kelvra-open 1\n/a/b.AWX\n/c d.awx\n\n")
                                   << QStringList{"/a/b.AWX", "/c d.awx"};
        QTest::newRow("UTF-8 name") << QString("kelvra-open 1\n/云图/红外.AWX\n\n").toUtf8()
                                    << QStringList{"/云图/红外.AWX"};
        QTest::newRow("relative path") << QByteArray("kelvra-open 1\na.AWX\n\n") << refused;
        QTest::newRow("other first line") << QByteArray("kelvra-open 2\n/a\n\n") << refused;
        QTest::newRow("no end") << QByteArray("kelvra-open 1\n/a\n") << refused;
        QTest::newRow("bytes after the end") << QByteArray("kelvra-open 1\n/a\n\n/b\n") << refused;
        QTest::newRow("control character") << QByteArray("kelvra-open 1\n/a\tb\n\n") << refused;
        QTest::newRow("not UTF-8") << QByteArray("kelvra-open 1\n/a\xff\n\n") << refused;
        QTest::newRow("path too long")
            << QByteArray("kelvra-open 1\n/") + QByteArray(kMaxHandedPathBytes, 'a') + "\n\n"
            << refused;
        QByteArray many("kelvra-open 1\n");
        for (qsizetype i = 0; i <= kMaxHandedFiles; ++i) {
            many += "/f\n";
        }
        QTest::newRow("too many files") << many + "\n" << refused;
        QTest::newRow("too long") << QByteArray("kelvra-open 1\n") +
                                         QByteArray(kMaxInstanceMessageBytes, '/') + "\n\n"
                                  << refused;
    }

    void handOverMessagesAreChecked() {
        QFETCH(QByteArray, message);
        QFETCH(QStringList, paths);
        const std::optional<QStringList> decoded = DecodeInstanceMessage(message);
        if (paths == QStringList{"refused"}) {
            QVERIFY(!decoded);
            return;
        }
        QVERIFY(decoded);
        QCOMPARE(*decoded, paths);
        // What a second start sends is what the running instance reads.
        QCOMPARE(DecodeInstanceMessage(*EncodeInstanceMessage(paths)), decoded);
    }

    // Locks no running instance of this user holds - a dead process's, an
    // empty one, one without a pid, and one another user planted where every
    // user's lock used to lie (given away with chown, as root can) - do not
    // keep the program from starting.
    void unusableLocksAreTakenOver_data() {
        QTest::addColumn<bool>("namedRuntimeFolder");
        QTest::addColumn<QString>("where");  // "runtime" or "shared"
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("owner");  // -1: this user
        // The pid of a process that has ended.
        QProcess gone;
        gone.start("true");
        gone.waitForFinished();
        const qint64 pid = gone.processId() != 0 ? gone.processId() : 999999;
        const QByteArray host = QSysInfo::machineHostName().toUtf8();
        QTest::newRow("process gone")
            << true << "runtime" << QByteArray::number(pid) + "\nkelvra\n" + host + "\n"
            << -1;
        QTest::newRow("empty") << true << "runtime" << QByteArray() << -1;
        QTest::newRow("no number") << false << "runtime" << QByteArray("kelvra\n\n") << -1;
        QTest::newRow("another user's at the shared name")
            << false << "shared" << QByteArray() << 12345;
    }

    void unusableLocksAreTakenOver() {
        QFETCH(bool, namedRuntimeFolder);
        QFETCH(QString, where);
        QFETCH(QByteArray, content);
        QFETCH(int, owner);
        CIsolatedRun run(namedRuntimeFolder);
        const QString lock = where == "runtime"
                                 ? run.LockPath()
                                 : QString::fromStdString(run.Dir().File("kelvra.lock"));
        QVERIFY(QDir().mkpath(run.RuntimeFolder()));
        QVERIFY(QFile::setPermissions(run.RuntimeFolder(),
                                      QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        std::ofstream(lock.toStdString()) << content.toStdString();
        if (owner >= 0 && chown(lock.toLocal8Bit().constData(), owner, owner) != 0) {
            QSKIP("only root can give the lock to another user");
        }
        QProcess app;
        run.Start(app, {"--quit-after", "300"});
        QVERIFY(app.waitForFinished(20000));
        QCOMPARE(app.exitCode(), 0);
        // Only a run that got as far as its window writes the side bar's width.
        QCOMPARE(run.Profile().value("Settings/OutbarSize").toInt(), kOutbarDefaultWidth);
    }

    void lockHeldInProcess() {
        CTempDir dir;
        const QByteArray named = qgetenv("XDG_RUNTIME_DIR");
        qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(dir.Path()));
        CSingleInstance first(QStringLiteral("kelvra-test"));
        QCOMPARE(first.TryAcquire(), CSingleInstance::Outcome::kAcquired);
        CSingleInstance second(QStringLiteral("kelvra-test"));
        QCOMPARE(second.TryAcquire(), CSingleInstance::Outcome::kHeldElsewhere);
        QCOMPARE(second.HolderPid(), QCoreApplication::applicationPid());
        QCOMPARE(QFileInfo(first.LockPath()).absolutePath(),
                 QFileInfo(QString::fromStdString(dir.Path())).absoluteFilePath());
        if (named.isEmpty()) {
            qunsetenv("XDG_RUNTIME_DIR");
        } else {
            qputenv("XDG_RUNTIME_DIR", named);
        }
    }

    void commandLineFileAndUsage() {
        CIsolatedRun run;
        const std::string path = run.Dir().File("FY2G_LCN_IR1_202203311300.AWX");
        QVERIFY(WriteTestProduct(path));
        QProcess app;
        run.Start(app, {"--quit-after", "300", "--catalogue",
                        QString::fromStdString(run.Dir().Path()), "--nwp-root",
                        QString::fromStdString(run.Dir().Path()), QString::fromStdString(path)});
        QVERIFY(app.waitForFinished(20000));
        QCOMPARE(app.exitCode(), 0);
        // The recent-file list in the run's own profile names the file.
        QCOMPARE(run.Profile().value("Recent File List/File1").toString().toStdString(), path);
        // The folders of the command line are for that run only.
        QVERIFY(!run.Profile().contains("FILES PATHS/SEC ROOT"));
        QVERIFY(!run.Profile().contains("PARAM FILE/Nwp Root"));

        QProcess bad;
        run.Start(bad, {"--no-such-option"});
        QVERIFY(bad.waitForFinished(20000));
        QCOMPARE(bad.exitCode(), 2);
    }
};

QTEST_MAIN(TestAppProcess)
#include "test_app_process.moc"
