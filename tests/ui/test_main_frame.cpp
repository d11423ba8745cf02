// The main frame as the user meets it: toolbar, status bar, the side bar
// filled from the region list, the product commands from both folders,
// full screen and the file named on the command line.

#include <QAction>
#include <QDialog>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <QtTest>
#include <fstream>

#include "app/CHandedFiles.h"
#include "app/CLockIndicators.h"
#include "browse/CatalogueFolder.h"
#include "dialogs/CBandTabDlg.h"
#include "dialogs/CMovieDlg.h"
#include "platform/TextCodec.h"
#include "sidebar/COutlook2Ctrl.h"
#include "synth/AwxWriter.h"
#include "ui/CommandIds.h"
#include "ui/support/UiTestSupport.h"

namespace {

// Runs the frame from a start-up directory whose dat folder holds the given
// region file (none when regionText is empty), and back to the old one.
class CStartDirectory {
public:
    explicit CStartDirectory(const std::string& regionText) : m_old(QDir::currentPath()) {
        QDir(QString::fromStdString(m_dir.Path())).mkdir(QStringLiteral("dat"));
        if (!regionText.empty()) {
            std::ofstream(m_dir.File("dat/region.txt"), std::ios::binary) << Utf8ToGbk(regionText);
        }
        QDir::setCurrent(QString::fromStdString(m_dir.Path()));
    }
    ~CStartDirectory() { QDir::setCurrent(m_old); }

private:
    CTempDir m_dir;
    QString m_old;
};

const char kThreeRegions[] =
    "REGION 3\n"
    "中国区域 1 97.5 27.5 0.05 1900 1300 0 0 31\n"
    "东亚区域 2 115 30 5 1024 1024 30 0 31\n"
    "圆盘图 0 99.5 0 5 2288 2288 0 0 31\n";

// "name:kind:id" of every item of a sub-folder ("window" for hosted panes).
QStringList Items(const OutlookSubFolder& sub) {
    QStringList items;
    for (const auto& item : sub.items) {
        items << (item->kind == kOutlookWindow ? QStringLiteral("window")
                                               : QStringLiteral("%1:%2:%3")
                                                     .arg(item->text)
                                                     .arg(item->kind)
                                                     .arg(item->commandId));
    }
    return items;
}

// One product per code of the catalogue, all infrared 1.
void WriteCatalogue(const CTempDir& dir, const QStringList& names) {
    for (const QString& name : names) {
        QVERIFY(WriteTestProduct(dir.File(name.toStdString()), 40, 30));
    }
}

}  // namespace

class TestMainFrame : public QObject {
    Q_OBJECT

private slots:
    void toolBarButtonsAndPrompts() {
        CTestApp t;
        const QList<QAction*> actions = t.Frame().ToolBar().actions();
        QStringList rows;
        for (QAction* action : actions) {
            QVERIFY(!action->isSeparator());
            QVERIFY(!action->icon().isNull());
            rows << QStringLiteral("%1|%2|%3")
                        .arg(action->data().toInt())
                        .arg(action->statusTip(), action->toolTip());
        }
        QCOMPARE(rows, QStringList({"57601|打开一个现有文档|打开",
                                    "57604|将活动文档以一个新文件名保存|另存为",
                                    "57607|打印活动文档|打印",
                                    "32907|按住左键拖动，量两点间的距离和方位；Esc 退出|测距",
                                    "32908|按住左键拖出矩形，统计其中的数值；Esc 退出|区域统计",
                                    "32909|光标所在点在各时次的数值|单点时间序列",
                                    "57664|显示程序信息，版本号和版权|关于"}));
        QCOMPARE(t.Frame().toolBarArea(&t.Frame().ToolBar()), Qt::TopToolBarArea);
        actions.back()->trigger();  // About through the router
        QCOMPARE(t.answers.modalDialogs, 1);
    }

    void statusBarPanes() {
        CTestApp t;
        QStatusBar& bar = t.Frame().StatusBar();
        QStringList texts;
        for (QLabel* label : bar.findChildren<QLabel*>()) {
            texts << label->text();
        }
        QCOMPARE(texts, QStringList({"就绪", "大写", "数字", "滚动"}));
        CLockIndicators& locks = t.Frame().LockIndicators();
        QVERIFY(!locks.IsOn(CLockIndicators::kCaps));
        locks.OnKeyPress(QKeyEvent(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "A"));
        QVERIFY(locks.IsOn(CLockIndicators::kCaps));
        locks.OnKeyPress(QKeyEvent(QEvent::KeyPress, Qt::Key_A, Qt::ShiftModifier, "A"));
        QVERIFY(!locks.IsOn(CLockIndicators::kCaps));
        locks.OnKeyPress(QKeyEvent(QEvent::KeyPress, Qt::Key_7, Qt::KeypadModifier, "7"));
        QVERIFY(locks.IsOn(CLockIndicators::kNum));
        locks.OnKeyPress(QKeyEvent(QEvent::KeyPress, Qt::Key_Home, Qt::KeypadModifier));
        QVERIFY(!locks.IsOn(CLockIndicators::kNum));
    }

    void barTogglesWithChecks() {
        CTestApp t;
        t.Frame().show();
        for (int id : {kIdViewToolbar, kIdViewStatusBar}) {
            QVERIFY(t.Update(id).checked);
            QVERIFY(t.Execute(id));
            QVERIFY(!t.Update(id).checked);
        }
        QVERIFY(t.Frame().ToolBar().isHidden());
        QVERIFY(t.Frame().StatusBar().isHidden());
    }

    void sideBarFilledWithRegions() {
        CStartDirectory start(kThreeRegions);
        CTestApp t;
        QVERIFY(t.StartupMessages().empty());
        COutlook2Ctrl& bar = t.Frame().Outbar();
        QCOMPARE(bar.FolderCount(), 2);
        QCOMPARE(bar.Folder(0).name, "云图浏览");
        QCOMPARE(bar.Folder(1).name, "动画显示");
        QVERIFY(!bar.Folder(0).icon.isNull() && !bar.Folder(1).icon.isNull());
        QCOMPARE(bar.CurrentFolder(), 0);
        const QStringList regions = {"中国区域:1:6000", "东亚区域:1:6001", "圆盘图:1:6002"};
        for (int folder : {0, 1}) {
            const OutlookFolder& f = bar.Folder(folder);
            QCOMPARE(f.subFolders.size(), std::size_t(2));
            QCOMPARE(f.subFolders[0]->name, "投影区域");
            QCOMPARE(Items(*f.subFolders[0]), regions);
            QCOMPARE(f.subFolders[1]->name, folder == 0 ? "文件列表" : "动画控制");
            QCOMPARE(Items(*f.subFolders[1]), QStringList({"window"}));
        }
        QCOMPARE(bar.Folder(0).subFolders[1]->items[0]->window.data(), &t.Frame().BandTab());
        QCOMPARE(bar.Folder(1).subFolders[1]->items[0]->window.data(), &t.Frame().Movie());
    }

    void choosingARegionSelectsItsProduct() {
        CStartDirectory start(kThreeRegions);
        CTestApp t;
        CTempDir catalogue;
        WriteCatalogue(catalogue, {"FY2G_LCN_IR1_1.AWX", "FY2G_MSS_IR1_1.AWX"});
        WriteCatalogueFolder(t.settings, catalogue.Path());
        t.Frame().resize(1000, 700);
        t.Frame().show();
        QVERIFY(QTest::qWaitForWindowExposed(&t.Frame()));
        CBrowserDlg& browser = t.Frame().BandTab().m_wndBrowser;
        QCOMPARE(browser.m_entries.size(), std::size_t(1));  // the first show listed LCN
        QVERIFY(t.Update(6000).checked);

        COutlook2Ctrl& bar = t.Frame().Outbar();
        bar.grab();  // lays the entries out
        const QRect second = bar.Folder(0).subFolders[0]->items[1]->rect;
        QVERIFY(!second.isEmpty());
        QTest::mouseClick(&bar, Qt::LeftButton, {}, second.center());
        QCOMPARE(browser.m_nProduct, 1);
        QCOMPARE(t.Frame().Movie().m_listDlg.m_nProduct, 1);
        QCOMPARE(browser.m_entries.size(), std::size_t(1));
        QVERIFY(browser.m_entries[0].path.find("MSS") != std::string::npos);
        QCOMPARE(t.Frame().Movie().m_listDlg.m_entries.size(), std::size_t(1));
        QVERIFY(t.Update(6001).checked && t.Update(6001).radio);
        QVERIFY(!t.Update(6000).checked);
        QCOMPARE(t.Frame().CurrentRegionName(), Utf8ToGbk("东亚区域"));
        t.Frame().UpdateIdleState();  // the bar repaints the moved check
        QTRY_COMPARE(bar.Folder(0).subFolders[0]->items[1]->lastState & kOutlookStateChecked,
                     int(kOutlookStateChecked));
    }

    void regionFileFaults_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("messages");
        QTest::newRow("missing") << QString() << 1;
        QTest::newRow("lower-case keyword") << "region 1 a 1 1 1 1 1 1 1 1 1" << 1;
        QTest::newRow("no records") << "REGION 0" << 0;
    }

    void regionFileFaults() {
        QFETCH(QString, text);
        QFETCH(int, messages);
        CStartDirectory start(text.toStdString());
        CTestApp t;
        QCOMPARE(int(t.StartupMessages().size()), messages);
        if (messages > 0) {
            QCOMPARE(t.StartupMessages()[0], "投影区域参数文件错误");
        }
        for (int folder : {0, 1}) {
            QVERIFY(t.Frame().Outbar().Folder(folder).subFolders[0]->items.empty());
        }
        // The panes still list through the product command.
        CTempDir catalogue;
        WriteCatalogue(catalogue, {"FY2G_MLS_IR1_1.AWX"});
        WriteCatalogueFolder(t.settings, catalogue.Path());
        QVERIFY(t.Execute(6002));
        QCOMPARE(t.Frame().BandTab().m_wndBrowser.m_entries.size(), std::size_t(1));
        QCOMPARE(t.Frame().Movie().m_listDlg.m_entries.size(), std::size_t(1));
        QCOMPARE(t.Frame().CurrentRegionName(), "");
    }

    void catalogueCommandListsTheChosenFolder() {
        CTestApp t;
        CTempDir catalogue;
        WriteCatalogue(catalogue, {"FY2G_LCN_IR1_1.AWX", "FY2G_LCN_IR1_2.AWX"});
        std::string askedTitle;
        t.Frame().Selector().SetFolderChooser([&](const std::string& title) {
            askedTitle = title;
            return catalogue.Path();
        });
        QVERIFY(t.Execute(kIdCatalogueFolder));
        QVERIFY(askedTitle.rfind("请设置静止气象卫星云图产品文件所在的文件夹\n当前文件夹：", 0) ==
                0);
        QCOMPARE(ReadCatalogueFolder(t.settings), catalogue.Path());
        QCOMPARE(t.Frame().BandTab().m_wndBrowser.m_entries.size(), std::size_t(2));
        QCOMPARE(t.Frame().Movie().m_listDlg.m_entries.size(), std::size_t(2));
    }

    void fullScreenRoundTripKeepsTheHiddenToolBar() {
        CTestApp t;
        CTempDir dir;
        QVERIFY(WriteTestProduct(dir.File("p.awx")));
        QVERIFY(t.App().OpenDocumentFile(dir.File("p.awx")));
        CMainFrame& frame = t.Frame();
        frame.resize(900, 600);
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        frame.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&frame));
        QVERIFY(t.Execute(kIdViewToolbar));  // the user hides the toolbar first
        // F11, as the menu item shows, and the picture fitted to the screen.
        QTest::keyClick(&t.View(), Qt::Key_F11);
        QVERIFY(frame.IsFullScreen());
        QVERIFY(t.View().IsFitToWindow());
        QVERIFY(t.View().m_bZoomIn);
        QVERIFY(frame.isFullScreen());
        QVERIFY(frame.windowFlags().testFlag(Qt::FramelessWindowHint));
        QVERIFY(frame.menuBar()->isHidden());
        QVERIFY(frame.StatusBar().isHidden() && frame.Outbar().isHidden());

        // Esc in the view leaves again, once the key has been handled.
        QTest::keyClick(&t.View(), Qt::Key_Escape);
        QTRY_VERIFY(!frame.IsFullScreen());
        QVERIFY(!frame.isFullScreen() && !frame.isMaximized());
        QVERIFY(!frame.windowFlags().testFlag(Qt::FramelessWindowHint));
        QVERIFY(!frame.menuBar()->isHidden());
        QVERIFY(frame.ToolBar().isHidden());
        QVERIFY(!frame.StatusBar().isHidden() && !frame.Outbar().isHidden());
        // The zoom is as it was before.
        QVERIFY(!t.View().IsFitToWindow());
        QCOMPARE(t.View().TotalSize(), QSize(120, 90));
    }

    void fileOnTheCommandLineIsOpened() {
        CTempDir dir;
        const std::string path = dir.File("FY2G_LCN_IR1_202203311300.AWX");
        QVERIFY(WriteTestProduct(path));
        CMemorySettings settings;
        CMessageRecorder recorder;
        const CScopedMessageSink sink(&recorder);
        CKelvraApp app(settings, false);
        QVERIFY(app.InitInstance(path));
        QCOMPARE(app.Document().PathName(), path);
        QCOMPARE(app.MainFrame().windowTitle(), "FY2G_LCN_IR1_202203311300.AWX - kelvra");
        QVERIFY(!app.MainFrame().View().OffscreenPicture().isNull());
    }

    // Files a second start hands over while a modal dialog is open wait for
    // it to close, then open in order, the last one shown.
    void handedFilesWaitForAModalDialog() {
        CTestApp t;
        CTempDir dir;
        const std::string first = dir.File("FY2G_LCN_IR1_202203311300.AWX");
        const std::string second = dir.File("FY2G_LCN_IR1_202203311400.AWX");
        QVERIFY(WriteTestProduct(first));
        QVERIFY(WriteTestProduct(second));
        QDialog busy(&t.Frame());
        busy.setModal(true);
        busy.show();
        CHandedFiles handed(t.App());
        handed.Take({QString::fromStdString(first), QString::fromStdString(second)});
        QTest::qWait(300);
        QCOMPARE(handed.Waiting(), 2);
        QCOMPARE(t.Doc().PathName(), std::string());
        busy.close();
        QTRY_COMPARE(handed.Waiting(), 0);
        QCOMPARE(t.Doc().PathName(), second);
        QCOMPARE(t.App().RecentFiles().Paths(), (std::vector<std::string>{second, first}));
    }

    // A file named on the command line that cannot be opened says so; the
    // application stays, with the empty document.
    void badFileOnTheCommandLineLeavesTheEmptyDocument() {
        CTempDir dir;
        const std::string path = dir.File("broken.awx");
        QVERIFY(WriteFileBytes(path, {'S', 'A', 'T'}));
        CMemorySettings settings;
        CMessageRecorder recorder;
        const CScopedMessageSink sink(&recorder);
        CKelvraApp app(settings, false);
        QVERIFY(app.InitInstance(path));
        QCOMPARE(recorder.Messages(),
                 (std::vector<std::string>{"打开文档失败。\n" + path +
                                           "：文件太短：3 字节，AWX 文件头需要 40 字节"}));
        QCOMPARE(app.Document().PathName(), std::string());
        QCOMPARE(app.MainFrame().windowTitle(), "Kelvra - kelvra");
        QVERIFY(app.RecentFiles().Paths().empty());
        QVERIFY(app.MainFrame().View().OffscreenPicture().isNull());
    }

    // Entering full screen says how to leave it; leaving takes the notice away.
    void fullScreenShowsHowToLeave() {
        CTestApp t;
        QLabel& notice = t.Frame().FullScreenNotice();
        QVERIFY(notice.isHidden());
        t.Execute(kIdFullScreen);
        QVERIFY(t.Frame().IsFullScreen());
        QVERIFY(!notice.isHidden());
        QCOMPARE(notice.text(), QStringLiteral("按 Esc 退出全屏"));
        t.Execute(kIdFullScreen);
        QVERIFY(!t.Frame().IsFullScreen());
        QVERIFY(notice.isHidden());
    }
};

QTEST_MAIN(TestMainFrame)
#include "test_main_frame.moc"
