// The file-list pane: the browser's columns and rows, the channel tabs and
// the double click, offscreen.

#include <QFileInfo>
#include <QHeaderView>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/CMainFrame.h"
#include "browse/CProductSelector.h"
#include "browse/CatalogueFolder.h"
#include "dialogs/CBandTabDlg.h"
#include "dialogs/CBrowserDlg.h"
#include "dialogs/CMovieDlg.h"
#include "platform/Message.h"
#include "sidebar/COutlook2Ctrl.h"
#include "support/TestSupport.h"
#include "synth/AwxWriter.h"

namespace {

std::vector<std::uint8_t> ProductBytes(int channel, int hour, int width) {
    AwxWriterOptions options;
    options.width = width;
    options.height = 16;
    options.calibration = false;
    options.channel = channel;
    options.hour = hour;
    return MakeAwxProduct(options);
}

void WriteProduct(const CTempDir& dir, const std::string& name, int channel, int hour = 13,
                  int width = 32) {
    WriteBytesToPath(dir.File(name), ProductBytes(channel, hour, width));
}

// Appends bytes in place, as a copy that grows under its own name.
void AppendBytes(const std::string& path, const std::uint8_t* bytes, std::size_t size) {
    std::ofstream out(path, std::ios::binary | std::ios::app);
    out.write(reinterpret_cast<const char*>(bytes), static_cast<std::streamsize>(size));
}

std::string HourlyName(int index) {
    char name[64];
    std::snprintf(name, sizeof name, "FY2G_LCN_IR1_%04d.AWX", index);
    return name;
}

QString CellText(const QTreeView& list, int row, int column) {
    return list.model()->index(row, column).data().toString();
}

std::string PathColumn(const QTreeView& list, int row) {
    return CellText(list, row, 4).toStdString();
}

int RowCount(const QTreeView& list) {
    return list.model()->rowCount();
}

void SelectRow(QTreeView& list, int row) {
    list.setCurrentIndex(list.model()->index(row, 0));
}

}  // namespace

class TestBrowserPanes : public QObject {
    Q_OBJECT

private slots:
    void columnsHaveTheirTitlesAndWidths_data();
    void columnsHaveTheirTitlesAndWidths();
    void listingShowsOneRowPerEntry();
    void tabsAtTheBottomRelistWithTheRelistingCode();
    void doubleClickOpensTheSelectedRowOnly();
    void productCommandsCheckTheBrowsersProduct();
    void catalogueWrittenBackwardsListsInTimeOrder();
    void headerClicksSortTheRows_data();
    void headerClicksSortTheRows();
    void channelTabsFitTheDefaultWidth();
    void listFollowsTheFolder_data();
    void listFollowsTheFolder();
};

void TestBrowserPanes::columnsHaveTheirTitlesAndWidths_data() {
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("width");
    QTest::newRow("time") << 0 << QStringLiteral("时间(UTC)") << 160;
    QTest::newRow("projection") << 1 << QStringLiteral("投影方式") << 80;
    QTest::newRow("centre") << 2 << QStringLiteral("中心经纬度") << 100;
    QTest::newRow("size") << 3 << QStringLiteral("大小") << 80;
    QTest::newRow("path") << 4 << QStringLiteral("文件路径") << 200;
}

void TestBrowserPanes::columnsHaveTheirTitlesAndWidths() {
    QFETCH(int, column);
    QFETCH(QString, title);
    QFETCH(int, width);
    CBrowserDlg browser;
    QTreeView& list = browser.List();
    QCOMPARE(list.model()->columnCount(), 5);
    QCOMPARE(list.model()->headerData(column, Qt::Horizontal).toString(), title);
    QCOMPARE(list.columnWidth(column), width);
    QCOMPARE(list.selectionMode(), QAbstractItemView::SingleSelection);
    QCOMPARE(list.selectionBehavior(), QAbstractItemView::SelectRows);
    QCOMPARE(browser.m_nProduct, 0);
    QCOMPARE(int(browser.m_nChannel), 1);
}

void TestBrowserPanes::listingShowsOneRowPerEntry() {
    CTempDir dir;
    WriteProduct(dir, "A_LCN.AWX", 1, 21);
    WriteProduct(dir, "B_LCN.AWX", 2);
    WriteProduct(dir, "C_MSS.AWX", 1);
    CBrowserDlg browser;
    browser.ListFiles(dir.Path(), "LCN");
    QTreeView& list = browser.List();
    QCOMPARE(RowCount(list), 1);
    QCOMPARE(CellText(list, 0, 0), QStringLiteral("2022年03月31日 21:00"));
    QCOMPARE(CellText(list, 0, 1), QStringLiteral("等经纬度"));
    QCOMPARE(CellText(list, 0, 2), QStringLiteral("[97.50,27.50]"));
    QCOMPARE(CellText(list, 0, 3), QStringLiteral("32×16"));
    QCOMPARE(PathColumn(list, 0), dir.File("A_LCN.AWX"));

    QVERIFY(browser.AddFile(dir.File("C_MSS.AWX")));
    QVERIFY(!browser.AddFile(dir.File("B_LCN.AWX")));
    browser.RefreshList();
    QCOMPARE(RowCount(list), 2);
    // A new listing replaces the rows.
    browser.ListFiles(dir.Path() + "/missing", "LCN");
    QCOMPARE(RowCount(list), 0);
}

void TestBrowserPanes::tabsAtTheBottomRelistWithTheRelistingCode() {
    CTempDir dir;
    WriteProduct(dir, "IR2_LCN.AWX", 2);
    WriteProduct(dir, "IR2_TBD.AWX", 2);
    WriteProduct(dir, "WV_LCN.AWX", 3);
    CMemorySettings settings;
    WriteCatalogueFolder(settings, dir.Path());
    CBandTabDlg pane(settings);
    pane.resize(300, 200);
    pane.show();
    QVERIFY(QTest::qWaitForWindowExposed(&pane));

    QCOMPARE(pane.m_tab.count(), 5);
    QCOMPARE(pane.m_tab.tabText(2), QStringLiteral("水  汽"));
    QCOMPARE(pane.m_tab.shape(), QTabBar::RoundedSouth);
    QVERIFY(pane.m_tab.geometry().top() > pane.m_wndBrowser.geometry().bottom());
    QCOMPARE(RowCount(pane.m_wndBrowser.List()), 0);

    // Product 5 lists "TBD" by its command, but "LCN" when a tab is chosen.
    pane.m_wndBrowser.m_nProduct = 5;
    pane.m_tab.setCurrentIndex(1);
    QCOMPARE(int(pane.m_wndBrowser.m_nChannel), 2);
    QCOMPARE(pane.m_wndBrowser.m_entries.size(), std::size_t(1));
    QCOMPARE(pane.m_wndBrowser.m_entries[0].path, dir.File("IR2_LCN.AWX"));

    pane.m_tab.setCurrentIndex(2);
    QCOMPARE(int(pane.m_wndBrowser.m_nChannel), 3);
    QCOMPARE(PathColumn(pane.m_wndBrowser.List(), 0), dir.File("WV_LCN.AWX"));
    QCOMPARE(pane.m_wndBrowser.m_nProduct, 5);
}

void TestBrowserPanes::doubleClickOpensTheSelectedRowOnly() {
    CTempDir dir;
    WriteProduct(dir, "A_LCN.AWX", 1);
    CMessageRecorder recorder;
    CScopedMessageSink scope(&recorder);
    std::vector<std::string> opened;
    bool succeed = false;
    CBrowserDlg browser;
    browser.SetOpenFileHook([&](const std::string& path) {
        opened.push_back(path);
        return succeed;
    });
    browser.resize(700, 300);
    browser.show();
    QVERIFY(QTest::qWaitForWindowExposed(&browser));
    browser.ListFiles(dir.Path(), "LCN");

    QTreeView& list = browser.List();
    // Nothing selected: neither a double click below the rows nor the handler opens anything.
    QTest::mouseDClick(list.viewport(), Qt::LeftButton, {},
                       QPoint(20, list.viewport()->height() - 5));
    browser.OnDblClkFileList();
    QVERIFY(opened.empty());
    QVERIFY(recorder.Messages().empty());

    const QRect rowRect = list.visualRect(list.model()->index(0, 0));
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, rowRect.center());
    QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, rowRect.center());
    QCOMPARE(opened, std::vector<std::string>{dir.File("A_LCN.AWX")});
    QCOMPARE(recorder.Messages(), std::vector<std::string>{"打开文件数据失败！"});

    succeed = true;
    recorder.Clear();
    browser.OnDblClkFileList();
    QCOMPARE(opened.size(), std::size_t(2));
    QVERIFY(recorder.Messages().empty());
}

void TestBrowserPanes::productCommandsCheckTheBrowsersProduct() {
    CTempDir dir;
    WriteProduct(dir, "A_TBD.AWX", 1);
    CMemorySettings settings;
    WriteCatalogueFolder(settings, dir.Path());
    CBandTabDlg pane(settings);
    CProductSelector selector(settings);
    selector.SetBrowser(pane.m_wndBrowser.Hooks());

    selector.OnSelectProductCommand(kSelectProductFirstId + 4);
    QCOMPARE(pane.m_wndBrowser.m_nProduct, 4);
    QCOMPARE(PathColumn(pane.m_wndBrowser.List(), 0), dir.File("A_TBD.AWX"));
    QVERIFY(selector.IsProductCommandChecked(kSelectProductFirstId + 4));
    QVERIFY(!selector.IsProductCommandChecked(kSelectProductFirstId));
}

// The newest product written first, as a folder filled backwards (or a file
// system's own order) would give them: the list is in time order, newest
// last, and a double click opens the row clicked.
void TestBrowserPanes::catalogueWrittenBackwardsListsInTimeOrder() {
    CTempDir dir;
    for (int hour = 23; hour >= 0; --hour) {
        char name[64];
        std::snprintf(name, sizeof name, "FY2G_LCN_IR1_20220331%02d00.AWX", hour);
        WriteProduct(dir, name, 1, hour);
    }
    CBrowserDlg browser;
    browser.ListFiles(dir.Path(), "LCN");
    QTreeView& list = browser.List();
    QCOMPARE(RowCount(list), 24);
    for (int row = 0; row < 24; ++row) {
        QCOMPARE(CellText(list, row, 0),
                 QStringLiteral("2022年03月31日 %1:00").arg(row, 2, 10, QLatin1Char('0')));
    }
    std::vector<std::string> opened;
    browser.SetOpenFileHook([&](const std::string& path) {
        opened.push_back(path);
        return true;
    });
    SelectRow(list, 23);
    browser.OnDblClkFileList();
    QCOMPARE(opened, std::vector<std::string>{dir.File("FY2G_LCN_IR1_202203312300.AWX")});
}

void TestBrowserPanes::headerClicksSortTheRows_data() {
    QTest::addColumn<QList<int>>("clicks");
    QTest::addColumn<QStringList>("names");
    QTest::newRow("listing order") << QList<int>{} << QStringList{"A", "B", "C"};
    QTest::newRow("time") << QList<int>{0} << QStringList{"C", "A", "B"};
    QTest::newRow("time, reversed") << QList<int>{0, 0} << QStringList{"B", "A", "C"};
    // Sizes by their pixels: 8×16 before 32×16 before 100×16.
    QTest::newRow("size") << QList<int>{3} << QStringList{"B", "A", "C"};
    QTest::newRow("size after time") << QList<int>{0, 3} << QStringList{"B", "A", "C"};
    QTest::newRow("size, reversed") << QList<int>{3, 3} << QStringList{"C", "A", "B"};
}

// Clicking a header sorts by its column, again reverses; a double click
// still opens the file of the row clicked, and a new listing keeps the order.
void TestBrowserPanes::headerClicksSortTheRows() {
    QFETCH(QList<int>, clicks);
    QFETCH(QStringList, names);
    CTempDir dir;
    WriteProduct(dir, "A_LCN.AWX", 1, 12, 32);
    WriteProduct(dir, "B_LCN.AWX", 1, 18, 8);
    WriteProduct(dir, "C_LCN.AWX", 1, 6, 100);
    CBrowserDlg browser;
    browser.ListFiles(dir.Path(), "LCN");
    QTreeView& list = browser.List();
    SelectRow(list, 1);  // B, which stays selected wherever it goes
    for (int column : clicks) {
        emit list.header()->sectionClicked(column);
    }
    const QModelIndexList selected = list.selectionModel()->selectedRows();
    QCOMPARE(selected.size(), 1);
    QCOMPARE(QFileInfo(CellText(list, selected.front().row(), 4)).fileName(),
             QStringLiteral("B_LCN.AWX"));
    const auto rowNames = [&list] {
        QStringList shown;
        for (int row = 0; row < RowCount(list); ++row) {
            shown << QFileInfo(CellText(list, row, 4)).fileName().left(1);
        }
        return shown;
    };
    QCOMPARE(rowNames(), names);
    browser.ListFiles(dir.Path(), "LCN");
    QCOMPARE(rowNames(), names);

    std::vector<std::string> opened;
    browser.SetOpenFileHook([&](const std::string& path) {
        opened.push_back(path);
        return true;
    });
    SelectRow(list, 0);
    browser.OnDblClkFileList();
    QCOMPARE(opened, std::vector<std::string>{dir.File(names[0].toStdString() + "_LCN.AWX")});
}

// At the side bar's default width the five channel tabs of both panes sit
// side by side, without scroll arrows.
void TestBrowserPanes::channelTabsFitTheDefaultWidth() {
    CMemorySettings settings;
    // The content of the bar: its width less the strip and the frame.
    const int room = kOutbarDefaultWidth - COutlook2Ctrl::kStripWidth - 2;
    CBandTabDlg files(settings);
    files.resize(room, 300);
    QVERIFY(files.m_tab.sizeHint().width() <= room);
    CMovieDlg movie(settings);
    movie.resize(room, 500);
    QTabBar* movieTabs = movie.m_tab.tabBar();
    QVERIFY(movieTabs->sizeHint().width() <= movie.m_tab.width());
    QCOMPARE(movieTabs->count(), 5);
}

void TestBrowserPanes::listFollowsTheFolder_data() {
    QTest::addColumn<bool>("polling");
    QTest::newRow("notified") << false;
    QTest::newRow("polled, as on a network share") << true;
}

// A product renamed in whole shows without a click, the selected row and the
// scroll position kept; one copied in place shows only once it is whole.
void TestBrowserPanes::listFollowsTheFolder() {
    QFETCH(bool, polling);
    CTempDir dir;
    for (int i = 0; i < 30; ++i) {
        WriteProduct(dir, HourlyName(i), 1, i % 24);
    }
    CBrowserDlg browser;
    browser.Watcher().SetPolling(polling);
    browser.resize(700, 200);
    browser.show();
    QVERIFY(QTest::qWaitForWindowExposed(&browser));
    browser.ListFiles(dir.Path(), "LCN");
    QCOMPARE(browser.Watcher().IsPolling(), polling);
    QTreeView& list = browser.List();
    QCOMPARE(RowCount(list), 30);
    SelectRow(list, 10);
    list.verticalScrollBar()->setValue(5);
    const int scroll = list.verticalScrollBar()->value();
    QVERIFY(scroll > 0);

    // The copy in place starts first, so the listing that shows the renamed
    // product has met it half-written.
    const std::vector<std::uint8_t> growing = ProductBytes(1, 7, 32);
    const std::size_t half = growing.size() / 2;
    AppendBytes(dir.File(HourlyName(31)), growing.data(), half);
    WriteProduct(dir, "incoming.tmp", 1, 6);
    std::filesystem::rename(dir.File("incoming.tmp"), dir.File(HourlyName(30)));
    QTRY_COMPARE_WITH_TIMEOUT(RowCount(list), 31, 5000);
    QCOMPARE(PathColumn(list, 30), dir.File(HourlyName(30)));
    const QModelIndexList selected = list.selectionModel()->selectedRows();
    QCOMPARE(selected.size(), 1);
    QCOMPARE(PathColumn(list, selected.front().row()), dir.File(HourlyName(10)));
    QCOMPARE(list.verticalScrollBar()->value(), scroll);

    AppendBytes(dir.File(HourlyName(31)), growing.data() + half, growing.size() - half);
    QTRY_COMPARE_WITH_TIMEOUT(RowCount(list), 32, 5000);
    QCOMPARE(PathColumn(list, 31), dir.File(HourlyName(31)));
}

QTEST_MAIN(TestBrowserPanes)
#include "test_browser_panes.moc"
