// The analyst's tools driven through the view's own mouse and keys: the
// ruler's line and its distance and bearing, the area statistics of a
// dragged box, their marks on screen only, and Esc leaving a tool.

#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QRegularExpression>
#include <QTableWidget>
#include <QtTest>
#include <cmath>

#include "browse/CatalogueFolder.h"
#include "dialogs/CSeriesChart.h"
#include "nwp/NwpTestFiles.h"
#include "support/UniformProduct.h"
#include "ui/CommandIds.h"
#include "ui/support/UiTestSupport.h"

namespace {

constexpr int kCount = 200;

// A product of 223.15 K (-50 °C) everywhere, 0.04° pixels, shown at 1:1 in
// a frame of a fixed size.
bool ShowUniform(CTestApp& t, const CTempDir& dir) {
    AwxWriterOptions options;
    options.channel = 1;
    options.width = 101;
    options.height = 81;
    options.resolution = 0.04;
    const std::string path = dir.File("p.awx");
    if (!WriteBytesToPath(path, UniformProduct(options, kCount, 223.15)) ||
        !t.App().OpenDocumentFile(path)) {
        return false;
    }
    t.Frame().resize(700, 500);
    t.Frame().show();
    return QTest::qWaitForWindowExposed(&t.Frame()) && t.Execute(kIdActualSize);
}

void Send(CTestApp& t, QEvent::Type type, const QPoint& pos, Qt::MouseButton button,
          Qt::MouseButtons held) {
    QWidget* viewport = t.View().viewport();
    QMouseEvent event(type, QPointF(pos), viewport->mapToGlobal(QPointF(pos)), button, held,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(viewport, &event);
}

void Drag(CTestApp& t, const QPoint& from, const QPoint& to) {
    Send(t, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    Send(t, QEvent::MouseMove, (from + to) / 2, Qt::NoButton, Qt::LeftButton);
    Send(t, QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
    Send(t, QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
}

int MarkPixels(const QImage& image) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            n += image.pixel(x, y) == qRgb(255, 220, 0) ? 1 : 0;
        }
    }
    return n;
}

}  // namespace

class TestViewTools : public QObject {
    Q_OBJECT

private slots:
    // 60 pixels eastwards along the row at 27.5°N: 2.4° of longitude,
    // 236.7 km, setting out a little north of east; the line is drawn over the picture on
    // screen and not into the composed picture.
    void rulerMeasuresTheDraggedLine() {
        CTestApp t;
        CTempDir dir;
        QVERIFY(ShowUniform(t, dir));
        CKelvraView& view = t.View();
        const QImage composed = view.OffscreenPicture().copy();
        QVERIFY(t.Execute(kIdRuler));
        QCOMPARE(view.Mode(), ViewMode::kRuler);
        QVERIFY(t.Frame().IdleText().startsWith("测距"));
        Drag(t, QPoint(20, 40), QPoint(80, 40));
        const QString text = t.Frame().IdleText();
        QVERIFY2(text.startsWith("距离 ") && text.endsWith("°"), qPrintable(text));
        const double km = text.section(' ', 1, 1).toDouble();
        const double bearing = text.section(' ', 5, 5).chopped(1).toDouble();
        QVERIFY2(std::abs(km - 236.7) < 0.5, qPrintable(text));
        QVERIFY2(bearing > 88.0 && bearing < 90.0, qPrintable(text));
        QCOMPARE(view.OffscreenPicture(), composed);
        QVERIFY(MarkPixels(view.viewport()->grab().toImage()) > 50);

        // Esc leaves the ruler: its line goes and the left button pans again.
        QTest::keyClick(&view, Qt::Key_Escape);
        QCOMPARE(view.Mode(), ViewMode::kNormal);
        QCOMPARE(MarkPixels(view.viewport()->grab().toImage()), 0);
        QVERIFY(view.RulerReadout().empty());
    }

    // A dragged box of 20 x 10 pixels: its statistics in the panel, the
    // cold areas against -32 and -52 °C; a box off the picture is refused.
    void areaStatisticsOfTheDraggedBox() {
        CTestApp t;
        CTempDir dir;
        QVERIFY(ShowUniform(t, dir));
        CKelvraView& view = t.View();
        QVERIFY(t.Execute(kIdAreaStatistics));
        Drag(t, QPoint(5, 5), QPoint(24, 14));
        QVERIFY(view.AreaPanel() != nullptr);
        QVERIFY(view.AreaPanel()->isVisible());
        const TextTable& table = view.AreaTable();
        QCOMPARE(table.rows.size(), std::size_t(1));
        const std::vector<std::string>& row = table.rows[0];
        QCOMPARE(row.size(), table.header.size());
        QCOMPARE(row[1], "200");
        QVERIFY(std::stod(row[2]) > 0.0);
        QCOMPARE(row[3], "-50.0");
        QCOMPARE(row[5], "-50.0");
        QCOMPARE(row[6], row[2]);  // all of it below -32 °C
        QCOMPARE(row[7], "0");     // none below -52 °C
        QCOMPARE(view.AreaPanel()->TableWidget()->rowCount(), 1);

        Drag(t, QPoint(300, 300), QPoint(350, 350));
        QVERIFY(t.Frame().IdleText().contains("完全在图像之外"));
        QCOMPARE(view.AreaTable().rows[0][1], "200");  // the table before stays
    }

    // The context menu of a pixel charts its value through the catalogue's
    // products of the same channel and geometry up to the open one (a later
    // one and another channel left out), the open product's time marked.
    void pointSeriesFromTheContextMenu() {
        CTestApp t;
        CTempDir catalogue;
        const struct {
            int hour;
            int channel;
            double kelvin;
        } products[] = {
            {10, 1, 233.15}, {11, 1, 223.15}, {12, 1, 213.15}, {13, 1, 203.15}, {11, 3, 250.0}};
        for (const auto& p : products) {
            AwxWriterOptions options;
            options.channel = p.channel;
            options.hour = p.hour;
            options.width = 101;
            options.height = 81;
            const std::string name = (p.channel == 1 ? "FY2G_LCN_IR1_" : "FY2G_LCN_WV_") +
                                     std::to_string(p.hour) + ".AWX";
            QVERIFY(
                WriteBytesToPath(catalogue.File(name), UniformProduct(options, kCount, p.kelvin)));
        }
        WriteCatalogueFolder(t.settings, catalogue.Path());
        QVERIFY(t.App().OpenDocumentFile(catalogue.File("FY2G_LCN_IR1_12.AWX")));
        t.Frame().resize(700, 500);
        t.Frame().show();
        QVERIFY(QTest::qWaitForWindowExposed(&t.Frame()));
        QVERIFY(t.Execute(kIdActualSize));
        CKelvraView& view = t.View();

        // The menu's item is chosen as soon as the menu is up.
        QTimer::singleShot(0, [] {
            QMenu* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            QVERIFY(menu);
            QCOMPARE(menu->actions().front()->text(), "单点时间序列");
            menu->actions().front()->trigger();
            menu->close();
        });
        const QPoint at(50, 40);
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, view.viewport()->mapToGlobal(at));
        QCoreApplication::sendEvent(view.viewport(), &event);
        QVERIFY(view.SeriesPanel() != nullptr);
        QVERIFY(view.SeriesPanel()->isVisible());
        const TextTable& table = view.SeriesPanel()->Table();
        QCOMPARE(table.rows.size(), std::size_t(3));
        const char* expected[][2] = {{"2022-03-31T10:00Z", "-40.0"},
                                     {"2022-03-31T11:00Z", "-50.0"},
                                     {"2022-03-31T12:00Z", "-60.0"}};
        for (std::size_t i = 0; i < 3; ++i) {
            QCOMPARE(table.rows[i][0], expected[i][0]);
            QCOMPARE(table.rows[i][1], expected[i][1]);
        }
        QCOMPARE(view.SeriesChart()->Current(), 2);
        QVERIFY(!view.SeriesPanel()->grab().isNull());
    }

    // The read-out names every layer shown under the cursor: the visible NWP
    // overlay's value between its grid points with the field's name, and
    // the cell under it with its area and coldest value.
    void readoutNamesEveryLayer() {
        CTestApp t;
        CTempDir dir;
        AwxWriterOptions options;
        options.channel = 1;
        options.width = 101;
        options.height = 81;
        QVERIFY(WriteBytesToPath(dir.File("p.awx"), UniformProduct(options, kCount, 213.15)));
        QVERIFY(t.App().OpenDocumentFile(dir.File("p.awx")));
        t.Frame().resize(700, 500);
        t.Frame().show();
        QVERIFY(QTest::qWaitForWindowExposed(&t.Frame()));
        QVERIFY(t.Execute(kIdActualSize));
        CKelvraView& view = t.View();
        const QPoint at(50, 40);  // 97.52°E 27.50°N
        const std::string plain = view.ReadoutAt(at);
        QVERIFY(plain.find("500hPa") == std::string::npos);

        DiamondContent height;
        height.firstLon = 90.0;
        height.lastLon = 105.0;
        height.firstLat = 35.0;
        height.lastLat = 20.0;
        height.nx = height.ny = 7;
        height.field = [](double lon, double) { return 5800.0 + lon; };
        QCOMPARE(view.AddNwpOverlays({WriteDiamond(dir, "h.000", height)}), 1);
        QVERIFY(t.Execute(kIdShowCells));
        const QString text = QString::fromStdString(view.ReadoutAt(at));
        QVERIFY2(text.contains("500hPa高度 5898"), qPrintable(text));
        QVERIFY2(text.contains(QRegularExpression("云团 \\d+ km² 最低 -60.0 °C")),
                 qPrintable(text));

        // A hidden overlay says nothing.
        view.Job().Overlays()[0].SetVisible(0);
        QVERIFY(view.ReadoutAt(at).find("500hPa") == std::string::npos);
    }
};

QTEST_MAIN(TestViewTools)
#include "test_view_tools.moc"
