// The side bar: layout of the last paint, hit testing, clicks, hot tracking,
// the splitter drag and the width kept in the profile.

#include <QApplication>
#include <QListWidget>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QSignalSpy>
#include <QTest>

#include <map>
#include <vector>

#include "platform/Settings.h"
#include "sidebar/COutlook2Ctrl.h"
#include "sidebar/OutlookDrawing.h"

namespace {

constexpr int kBarHeight = 400;
const QStringList kRegions = {"中国区域", "东亚区域", "中低纬度"};

// Command states by id, as the command table's update handlers would give them.
struct CommandLog {
    std::map<int, int> states;
    std::vector<int> sent;
};

void Wire(COutlook2Ctrl& bar, CommandLog& log) {
    bar.SetCommandSender([&log](int id) { log.sent.push_back(id); });
    bar.SetUpdateQuery([&log](int id) {
        const auto it = log.states.find(id);
        return it == log.states.end() ? 1 : it->second;
    });
}

// The bar as the main frame fills it: two folders, region radios and panes.
void FillAsFrame(COutlook2Ctrl& bar, QWidget* fileList, QWidget* moviePane) {
    bar.AddFolder("云图浏览", QIcon(":/icons/folder-cloud.png"), 0);
    bar.AddSubFolder("投影区域", 0);
    for (int i = 0; i < kRegions.size(); ++i) {
        bar.AddItem(kRegions[i], QIcon(), kOutlookRadio, 6000 + i);
    }
    bar.AddSubFolder("文件列表", 0);
    bar.AddWindowItem(fileList, true);
    bar.AddFolder("动画显示", QIcon(":/icons/folder-movie.png"), 0);
    bar.AddSubFolder("投影区域", 0);
    for (int i = 0; i < kRegions.size(); ++i) {
        bar.AddItem(kRegions[i], QIcon(), kOutlookRadio, 6000 + i);
    }
    bar.AddSubFolder("动画控制", 0);
    bar.AddWindowItem(moviePane, true);
}

void Mouse(QWidget& widget, QEvent::Type type, QPoint pos, Qt::MouseButton button) {
    const bool down =
        type == QEvent::MouseButtonPress || (type == QEvent::MouseMove && button != Qt::NoButton);
    const Qt::MouseButtons held = down ? Qt::LeftButton : Qt::NoButton;
    QMouseEvent event(type, QPointF(pos), QPointF(widget.mapToGlobal(pos)), button, held,
                      Qt::NoModifier);
    QApplication::sendEvent(&widget, &event);
}

void Click(QWidget& widget, QPoint pos) {
    Mouse(widget, QEvent::MouseButtonPress, pos, Qt::LeftButton);
    Mouse(widget, QEvent::MouseButtonRelease, pos, Qt::LeftButton);
}

void Hover(QWidget& widget, QPoint pos) {
    Mouse(widget, QEvent::MouseMove, pos, Qt::NoButton);
}

// Forces a paint, which lays the bar out.
void Paint(QWidget& widget) {
    (void)widget.grab();
}

// Records the region of every paint, to see what the idle pass repaints.
class CRecordingBar : public COutlook2Ctrl {
public:
    using COutlook2Ctrl::COutlook2Ctrl;
    QRegion painted;
    std::vector<QRect> paints;

protected:
    void paintEvent(QPaintEvent* event) override {
        painted += event->region();
        paints.push_back(event->rect());
        COutlook2Ctrl::paintEvent(event);
    }
};

}  // namespace

class TestOutlook2Ctrl : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { Q_INIT_RESOURCE(kelvra); }
    void iconsInResources_data();
    void iconsInResources();
    void headerLayout_data();
    void headerLayout();
    void contentLayout();
    void hitTest_data();
    void hitTest();
    void radioClick_data();
    void radioClick();
    void linkAndCheckClicksAlwaysSend();
    void headerClickSwitchesFolders();
    void animatedSwitchShowsNewPanes();
    void badIndicesAreRefused();
    void dragToFarRightLeavesStrip();
    void dragToLeftWidens();
    void widthPersists();
    void hotTrackingAndCursors();
    void idleUpdateRepaintsChangedItemsOnly();
    void demoPicture();
    void entryTextsStayReadable_data();
    void entryTextsStayReadable();
};

void TestOutlook2Ctrl::iconsInResources_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QSize>("size");
    QTest::newRow("cloud folder") << ":/icons/folder-cloud.png" << QSize(16, 16);
    QTest::newRow("movie folder") << ":/icons/folder-movie.png" << QSize(16, 16);
    QTest::newRow("open") << ":/icons/tool-open.png" << QSize(16, 15);
    QTest::newRow("save") << ":/icons/tool-save.png" << QSize(16, 15);
    QTest::newRow("print") << ":/icons/tool-print.png" << QSize(16, 15);
    QTest::newRow("about") << ":/icons/tool-about.png" << QSize(16, 15);
    QTest::newRow("application") << ":/icons/kelvra.png" << QSize(32, 32);
}

void TestOutlook2Ctrl::iconsInResources() {
    QFETCH(QString, path);
    QFETCH(QSize, size);
    const QImage image(path);
    QCOMPARE(image.size(), size);
    // Transparent corners or edges let the icons sit on any button face.
    QVERIFY(image.hasAlphaChannel());
}

void TestOutlook2Ctrl::headerLayout_data() {
    QTest::addColumn<int>("folders");
    QTest::addColumn<int>("placed");
    QTest::addColumn<int>("contentBottom");
    // Headers stack from the inner bottom edge (399) up in steps of 25 while
    // their top stays below the inner top (36): at most 14 fit in 400 pixels.
    QTest::newRow("no folder") << 0 << 0 << 399;
    QTest::newRow("one") << 1 << 1 << 374;
    QTest::newRow("three") << 3 << 3 << 324;
    QTest::newRow("fourteen just fit") << 14 << 14 << 49;
    QTest::newRow("twenty, six left out") << 20 << 14 << 49;
}

void TestOutlook2Ctrl::headerLayout() {
    QFETCH(int, folders);
    QFETCH(int, placed);
    QFETCH(int, contentBottom);
    COutlook2Ctrl bar(nullptr);
    bar.resize(200, kBarHeight);
    for (int f = 0; f < folders; ++f) {
        bar.AddFolder(QString("folder %1").arg(f), QIcon(), f);
    }
    Paint(bar);
    for (int f = 0; f < folders; ++f) {
        const int fromBottom = folders - 1 - f;
        const QRect expected =
            fromBottom < placed ? QRect(5, 375 - 25 * fromBottom, 195, 24) : QRect();
        QCOMPARE(bar.Folder(f).rect, expected);
    }
    QCOMPARE(bar.ContentRect(), QRect(5, 36, 194, contentBottom - 36));
    if (folders > placed) {
        // The first folder's header is not drawn and cannot be clicked.
        QCOMPARE(bar.HitTest(QPoint(100, 45)).code, int(OutlookHit::kNothing));
        Click(bar, QPoint(100, 45));
        QCOMPARE(bar.CurrentFolder(), 0);
    }
}

void TestOutlook2Ctrl::contentLayout() {
    COutlook2Ctrl bar(nullptr);
    bar.resize(200, kBarHeight);
    QListWidget list;
    QWidget pane;
    QWidget fixed;
    fixed.resize(50, 60);
    FillAsFrame(bar, &list, &pane);
    bar.AddFolder("third", QIcon(), 0);
    bar.AddSubFolder("", 0);  // a separator
    bar.AddItem("plain", QIcon(), kOutlookPlain, 7);
    bar.AddWindowItem(&fixed, false);
    Paint(bar);

    const OutlookFolder& first = bar.Folder(0);
    QCOMPARE(first.subFolders[0]->rect, QRect(6, 36, 192, 18));
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(first.subFolders[0]->items[i]->rect, QRect(5, 54 + 17 * i, 194, 17));
    }
    QCOMPARE(first.subFolders[1]->rect, QRect(6, 112, 192, 18));
    // The file list fills the rest of the content, which ends above the headers.
    QCOMPARE(first.subFolders[1]->items[0]->rect, QRect(5, 130, 194, 324 - 130));
    QCOMPARE(list.geometry(), QRect(5, 130, 194, 194));
    QVERIFY(list.isVisibleTo(&bar));
    QVERIFY(!pane.isVisibleTo(&bar));
    QCOMPARE(bar.Folder(1).subFolders[0]->items[0]->rect, QRect());

    bar.SetCurrentFolder(2, false);
    Paint(bar);
    const OutlookSubFolder& separated = *bar.Folder(2).subFolders[0];
    QCOMPARE(separated.rect, QRect());
    QCOMPARE(separated.items[0]->rect, QRect(5, 44, 194, 17));
    // A fixed-height window keeps its own height.
    QCOMPARE(separated.items[1]->rect, QRect(5, 61, 194, 60));
    QCOMPARE(fixed.geometry(), QRect(5, 61, 194, 60));
    QVERIFY(!list.isVisibleTo(&bar));
}

void TestOutlook2Ctrl::hitTest_data() {
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("folder");
    QTest::addColumn<int>("subFolder");
    QTest::addColumn<int>("item");
    QTest::newRow("title band") << QPoint(100, 10) << 0 << -1 << -1 << -1;
    QTest::newRow("sub-folder header") << QPoint(100, 40) << 2 << 0 << 0 << -1;
    QTest::newRow("first radio") << QPoint(100, 54) << 4 << 0 << 0 << 0;
    QTest::newRow("third radio, last row") << QPoint(20, 104) << 4 << 0 << 0 << 2;
    QTest::newRow("gap before file list") << QPoint(100, 108) << 0 << -1 << -1 << -1;
    QTest::newRow("file list") << QPoint(100, 200) << 4 << 0 << 1 << 0;
    QTest::newRow("first header") << QPoint(100, 360) << 1 << 0 << -1 << -1;
    QTest::newRow("gap between headers") << QPoint(100, 374) << 0 << -1 << -1 << -1;
    QTest::newRow("last header") << QPoint(199, 398) << 1 << 1 << -1 << -1;
    QTest::newRow("left strip") << QPoint(2, 200) << 0 << -1 << -1 << -1;
}

void TestOutlook2Ctrl::hitTest() {
    QFETCH(QPoint, point);
    QFETCH(int, code);
    QFETCH(int, folder);
    QFETCH(int, subFolder);
    QFETCH(int, item);
    COutlook2Ctrl bar(nullptr);
    bar.resize(200, kBarHeight);
    QListWidget list;
    QWidget pane;
    FillAsFrame(bar, &list, &pane);
    QCOMPARE(bar.HitTest(point).code, 0);  // nothing before the first paint
    Paint(bar);
    const OutlookHit hit = bar.HitTest(point);
    QCOMPARE(hit.code, code);
    QCOMPARE(hit.folder, folder);
    QCOMPARE(hit.subFolder, subFolder);
    QCOMPARE(hit.item, item);
}

void TestOutlook2Ctrl::radioClick_data() {
    QTest::addColumn<int>("state");
    QTest::addColumn<int>("sends");
    QTest::newRow("unchecked") << 1 << 1;
    QTest::newRow("checked") << 3 << 0;
    QTest::newRow("radio mark") << 5 << 0;
    QTest::newRow("no handler") << 0 << 1;
}

void TestOutlook2Ctrl::radioClick() {
    QFETCH(int, state);
    QFETCH(int, sends);
    COutlook2Ctrl bar(nullptr);
    bar.resize(200, kBarHeight);
    CommandLog log;
    Wire(bar, log);
    QListWidget list;
    QWidget pane;
    FillAsFrame(bar, &list, &pane);
    log.states[6001] = state;
    Paint(bar);
    QCOMPARE(bar.Folder(0).subFolders[0]->items[1]->lastState, state);
    Click(bar, QPoint(60, 75));
    QCOMPARE(log.sent, std::vector<int>(sends, 6001));
}

void TestOutlook2Ctrl::linkAndCheckClicksAlwaysSend() {
    COutlook2Ctrl bar(nullptr);
    bar.resize(200, kBarHeight);
    CommandLog log;
    Wire(bar, log);
    log.states = {{1, 3}, {2, 3}};
    bar.AddFolder("f", QIcon(), 0);
    bar.AddSubFolder("s", 0);
    bar.AddItem("link", QIcon(), kOutlookLink, 1);
    bar.AddItem("check", QIcon(), kOutlookCheck, 2);
    Paint(bar);
    Click(bar, QPoint(60, 60));
    Click(bar, QPoint(60, 75));
    QCOMPARE(log.sent, (std::vector<int>{1, 2}));
}

void TestOutlook2Ctrl::headerClickSwitchesFolders() {
    COutlook2Ctrl bar(nullptr);
    bar.resize(200, kBarHeight);
    QListWidget list;
    QWidget pane;
    FillAsFrame(bar, &list, &pane);
    Paint(bar);
    QCOMPARE(bar.Title(), QString("云图浏览"));
    Click(bar, QPoint(100, 360));  // the current folder's header
    QCOMPARE(bar.CurrentFolder(), 0);
    QVERIFY(list.isVisibleTo(&bar));

    Click(bar, QPoint(100, 390));
    QCOMPARE(bar.CurrentFolder(), 1);
    QCOMPARE(bar.Title(), QString("动画显示"));
    QVERIFY(!list.isVisibleTo(&bar));
    QCOMPARE(bar.Folder(0).subFolders[0]->items[0]->rect, QRect());
    Paint(bar);
    QVERIFY(pane.isVisibleTo(&bar));
    QVERIFY(!list.isVisibleTo(&bar));
    QCOMPARE(pane.geometry(), QRect(5, 130, 194, 349 - 130));
}

void TestOutlook2Ctrl::animatedSwitchShowsNewPanes() {
    CRecordingBar bar(nullptr);
    bar.SetSlideDelay(0);
    bar.resize(200, kBarHeight);
    QListWidget list;
    QWidget pane;
    FillAsFrame(bar, &list, &pane);
    bar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&bar));
    QVERIFY(list.isVisible());
    QCoreApplication::processEvents();
    bar.paints.clear();
    bar.SetCurrentFolder(1, true);
    QCOMPARE(bar.CurrentFolder(), 1);
    QVERIFY(!list.isVisible());
    // Eight bands, each one step of an eighth higher and taller than the last.
    std::vector<QRect> bands;
    for (const QRect& painted : bar.paints) {
        if (painted.x() == 0 && painted.height() < kBarHeight) {
            bands.push_back(painted);
        }
    }
    QCOMPARE(int(bands.size()), 8);
    QCOMPARE(bands.front(), QRect(0, 390, 200, 10));
    QCOMPARE(bands.back(), QRect(0, 40, 200, 360));
    QTRY_VERIFY(pane.isVisible());
    QCOMPARE(pane.geometry(), QRect(5, 130, 194, 349 - 130));
}

void TestOutlook2Ctrl::badIndicesAreRefused() {
    COutlook2Ctrl bar(nullptr);
    QCOMPARE(bar.AddSubFolder("s", 0), -1);
    QCOMPARE(bar.AddItem("i", QIcon(), kOutlookRadio, 1), -1);
    QCOMPARE(bar.AddFolder("f", QIcon(), 0), 0);
    QCOMPARE(bar.AddItem("i", QIcon(), kOutlookRadio, 1), -1);
    QCOMPARE(bar.AddSubFolder("s", 0, 1), -1);
    QCOMPARE(bar.AddSubFolder("s", 0), 0);
    QCOMPARE(bar.AddItem("i", QIcon(), kOutlookRadio, 1, 0, 0), 0);
    QCOMPARE(bar.AddItem("i", QIcon(), kOutlookWindow, 1), -1);
    QCOMPARE(bar.AddWindowItem(nullptr, true), -1);
    bar.SetCurrentFolder(5, false);
    bar.SetCurrentFolder(-1, false);
    QCOMPARE(bar.CurrentFolder(), 0);
    QCOMPARE(bar.Title(), QString("f"));
}

void TestOutlook2Ctrl::dragToFarRightLeavesStrip() {
    COutlook2Ctrl bar(nullptr);
    bar.resize(200, kBarHeight);
    Paint(bar);
    QSignalSpy spy(&bar, &COutlook2Ctrl::widthChanged);
    Mouse(bar, QEvent::MouseButtonPress, QPoint(2, 100), Qt::LeftButton);
    QVERIFY(bar.IsDragging());
    Mouse(bar, QEvent::MouseMove, QPoint(700, 100), Qt::LeftButton);
    QCOMPARE(bar.SplitterRect(), QRect(698, 0, 5, kBarHeight));
    Mouse(bar, QEvent::MouseButtonRelease, QPoint(700, 100), Qt::LeftButton);
    QVERIFY(!bar.IsDragging());
    QCOMPARE(bar.Width(), 4);
    QCOMPARE(bar.width(), 4);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(bar.SplitterRect(), QRect(0, 0, 5, kBarHeight));

    // Only the button-face strip is left, and any click on it grabs the edge.
    const QImage strip = bar.grab().toImage();
    QCOMPARE(strip.pixelColor(2, 200), bar.palette().color(QPalette::Button));
    Mouse(bar, QEvent::MouseButtonPress, QPoint(3, 300), Qt::LeftButton);
    QVERIFY(bar.IsDragging());
    Mouse(bar, QEvent::MouseButtonRelease, QPoint(-196, 300), Qt::LeftButton);
    QCOMPARE(bar.Width(), 203);
}

void TestOutlook2Ctrl::dragToLeftWidens() {
    COutlook2Ctrl bar(nullptr);
    bar.resize(200, kBarHeight);
    bar.AddFolder("f", QIcon(), 0);
    Paint(bar);
    // A press away from the edge is a click, not a drag.
    Mouse(bar, QEvent::MouseButtonPress, QPoint(50, 100), Qt::LeftButton);
    QVERIFY(!bar.IsDragging());
    Mouse(bar, QEvent::MouseButtonRelease, QPoint(50, 100), Qt::LeftButton);
    Mouse(bar, QEvent::MouseButtonPress, QPoint(4, 100), Qt::LeftButton);
    Mouse(bar, QEvent::MouseButtonRelease, QPoint(-116, 100), Qt::LeftButton);
    QCOMPARE(bar.Width(), 320);
    QCOMPARE(bar.sizeHint().width(), 320);
}

void TestOutlook2Ctrl::widthPersists() {
    CMemorySettings settings;
    {
        COutlook2Ctrl bar(&settings);
        QCOMPARE(bar.Width(), 200);
        QCOMPARE(bar.width(), 200);
        bar.SetWidth(320);
    }
    QCOMPARE(settings.GetInt("Settings", "OutbarSize", 0), 320);
    {
        COutlook2Ctrl bar(&settings);
        QCOMPARE(bar.Width(), 320);
    }
    // A profile value below the minimum still leaves a strip to drag.
    settings.SetInt("Settings", "OutbarSize", -50);
    COutlook2Ctrl bar(&settings);
    QCOMPARE(bar.Width(), 4);
}

void TestOutlook2Ctrl::hotTrackingAndCursors() {
    COutlook2Ctrl bar(nullptr);
    bar.resize(200, kBarHeight);
    QListWidget list;
    QWidget pane;
    FillAsFrame(bar, &list, &pane);
    bar.AddItem("link", QIcon(), kOutlookLink, 9, 1, 0);
    Paint(bar);

    Hover(bar, QPoint(2, 200));
    QCOMPARE(bar.cursor().shape(), Qt::SizeHorCursor);
    Hover(bar, QPoint(100, 390));
    QCOMPARE(bar.HotFolder(), 1);
    QCOMPARE(bar.cursor().shape(), Qt::PointingHandCursor);
    Hover(bar, QPoint(100, 60));
    QCOMPARE(bar.HotItem(), bar.Folder(0).subFolders[0]->items[0].get());
    QCOMPARE(bar.HotFolder(), 1);  // an item leaves the hot header alone
    QCOMPARE(bar.cursor().shape(), Qt::ArrowCursor);
    Hover(bar, QPoint(100, 40));  // sub-folder header: no change
    QVERIFY(bar.HotItem() != nullptr);
    Hover(bar, QPoint(100, 10));
    QCOMPARE(bar.HotFolder(), -1);
    QVERIFY(bar.HotItem() == nullptr);

    bar.SetCurrentFolder(1, false);
    Paint(bar);
    const QRect link = bar.Folder(1).subFolders[0]->items[3]->rect;
    Hover(bar, link.center());
    QCOMPARE(bar.cursor().shape(), Qt::PointingHandCursor);
}

void TestOutlook2Ctrl::idleUpdateRepaintsChangedItemsOnly() {
    CRecordingBar bar(nullptr);
    bar.resize(200, kBarHeight);
    CommandLog log;
    Wire(bar, log);
    QListWidget list;
    QWidget pane;
    FillAsFrame(bar, &list, &pane);
    log.states[6000] = 3;
    bar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&bar));
    QCoreApplication::processEvents();
    QVERIFY(!bar.painted.isEmpty());

    bar.painted = QRegion();
    bar.UpdateCommandStates();
    QCoreApplication::processEvents();
    QVERIFY(bar.painted.isEmpty());

    log.states[6000] = 1;
    log.states[6002] = 3;
    bar.UpdateCommandStates();
    QTRY_VERIFY(!bar.painted.isEmpty());
    const auto& radios = bar.Folder(0).subFolders[0]->items;
    QCOMPARE(bar.painted, QRegion(radios[0]->rect) + QRegion(radios[2]->rect));
    QCOMPARE(radios[0]->lastState, 1);
    QCOMPARE(radios[2]->lastState, 3);
}

// Writes a picture of the bar as the frame fills it, for a look, when
// KELVRA_OUTLOOK_PICTURE names a file.
void TestOutlook2Ctrl::demoPicture() {
    const QString path = qEnvironmentVariable("KELVRA_OUTLOOK_PICTURE");
    if (path.isEmpty()) {
        QSKIP("KELVRA_OUTLOOK_PICTURE not set");
    }
    QPalette classic;
    classic.setColor(QPalette::Button, QColor(212, 208, 200));
    classic.setColor(QPalette::Window, QColor(212, 208, 200));
    classic.setColor(QPalette::Light, Qt::white);
    classic.setColor(QPalette::Dark, QColor(128, 128, 128));
    classic.setColor(QPalette::Shadow, QColor(64, 64, 64));
    classic.setColor(QPalette::Highlight, QColor(10, 36, 106));
    classic.setColor(QPalette::HighlightedText, Qt::white);
    classic.setColor(QPalette::ButtonText, Qt::black);
    classic.setColor(QPalette::Base, Qt::white);
    COutlook2Ctrl bar(nullptr);
    bar.setPalette(classic);
    bar.resize(200, 560);
    CommandLog log;
    Wire(bar, log);
    log.states[6000] = 3;
    QListWidget list;
    list.addItems({"ANI_IR1_R04_20220331_2100_FY2G.AWX", "ANI_IR1_R04_20220331_2200_FY2G.AWX"});
    QWidget pane;
    FillAsFrame(bar, &list, &pane);
    Paint(bar);
    Hover(bar, QPoint(100, 85));
    QVERIFY(bar.grab().save(path));
}

// White entry texts on the bar's grey: a grey too light for them (as some
// styles' shadow colour is) is darkened just enough; the classic dark grey
// with black text needs nothing.
void TestOutlook2Ctrl::entryTextsStayReadable_data() {
    QTest::addColumn<QColor>("background");
    QTest::addColumn<QColor>("text");
    QTest::addColumn<bool>("changed");
    QTest::newRow("light grey, white text") << QColor(159, 159, 159) << QColor(Qt::white) << true;
    QTest::newRow("classic shadow, white text")
        << QColor(128, 128, 128) << QColor(Qt::white) << true;
    QTest::newRow("dark enough already") << QColor(90, 90, 90) << QColor(Qt::white) << false;
    QTest::newRow("dark text on light grey") << QColor(200, 200, 200) << QColor(Qt::black) << false;
    QTest::newRow("dark text on mid grey") << QColor(100, 100, 100) << QColor(Qt::black) << true;
}

void TestOutlook2Ctrl::entryTextsStayReadable() {
    QFETCH(QColor, background);
    QFETCH(QColor, text);
    QFETCH(bool, changed);
    const QColor shade = WithContrast(background, text, 4.5);
    QVERIFY(ContrastRatio(shade, text) >= 4.5);
    QCOMPARE(shade != background, changed);
    // No more than needed: one step back would not read.
    if (changed) {
        const int back = text.lightness() > background.lightness() ? 4 : -4;
        const QColor lighter(shade.red() + back, shade.green() + back, shade.blue() + back);
        QVERIFY(ContrastRatio(lighter, text) < 4.5);
    }
}

QTEST_MAIN(TestOutlook2Ctrl)
#include "test_outlook2ctrl.moc"
