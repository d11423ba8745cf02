// The desktop program as a process: one instance at a time, a lock left by
// a dead process taken over, the file named on the command line opened.

#include <QProcess>
#include <QSysInfo>
#include <QtTest>
#include <fstream>
#include <memory>

#include "app/CSingleInstance.h"
#include "support/TestSupport.h"
#include "ui/support/UiTestSupport.h"

namespace {

// Each run gets its own temporary folder (where the lock lies) and its own
// profile, so neither the user's instance nor the user's settings are touched.
class CIsolatedRun {
public:
    CIsolatedRun() {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        const QString root = QString::fromStdString(m_dir.Path());
        env.insert("TMPDIR", root);
        env.insert("HOME", root);
        env.insert("XDG_CONFIG_HOME", root + "/config");
        env.insert("XDG_RUNTIME_DIR", root);
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

    QString LockPath() const { return QString::fromStdString(m_dir.File("kelvra.lock")); }
    const CTempDir& Dir() const { return m_dir; }

private:
    CTempDir m_dir;
    QProcessEnvironment m_env;
    std::unique_ptr<QSettings> m_profile;
};

}  // namespace

class TestAppProcess : public QObject {
    Q_OBJECT

private slots:
    void secondInstanceEndsSilently() {
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
        QVERIFY(second.readAllStandardError().isEmpty());
        QCOMPARE(first.state(), QProcess::Running);

        first.terminate();
        QVERIFY(first.waitForFinished(10000));
    }

    void staleLockIsTakenOver() {
        CIsolatedRun run;
        // The pid of a process that has ended.
        QProcess gone;
        gone.start("true");
        QVERIFY(gone.waitForFinished());
        const qint64 pid = gone.processId() != 0 ? gone.processId() : 999999;
        std::ofstream(run.LockPath().toStdString())
            << pid << "\nkelvra\n"
            << QSysInfo::machineHostName().toStdString() << "\n";

        QProcess app;
        run.Start(app, {"--quit-after", "300"});
        QVERIFY(app.waitForFinished(20000));
        QCOMPARE(app.exitCode(), 0);
        // Only a run that got as far as its window writes the side bar's width.
        QCOMPARE(run.Profile().value("Settings/OutbarSize").toInt(), kOutbarDefaultWidth);
    }

    void lockHeldInProcess() {
        CTempDir dir;
        qputenv("TMPDIR", QByteArray::fromStdString(dir.Path()));
        CSingleInstance first(QStringLiteral("kelvra-test"));
        QVERIFY(first.TryAcquire());
        CSingleInstance second(QStringLiteral("kelvra-test"));
        QVERIFY(!second.TryAcquire());
        qunsetenv("TMPDIR");
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
