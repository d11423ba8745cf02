// The view: zoom sizes and check marks, the overlay switches composing,
// the palette items, painting only the exposed part, Esc to the frame.

#include <QPainter>
#include <QScreen>
#include <QWindow>
#include <QtTest>

#include "synth/AwxWriter.h"
#include "ui/CommandIds.h"
#include "ui/support/UiTestSupport.h"

namespace {

// A view over a blank 8-bit image of the given size.
void MakeImage(CTestApp& t, int width, int height) {
    t.Doc().Image().CreateBlank(width, height, 8);
    t.Doc().RequestRecompose();
    t.View().OnInitialUpdate();
}

QList<int> CheckedZoomItems(CTestApp& t) {
    QList<int> checked;
    for (int id : {kIdActualSize}) {
        if (t.Update(id).checked)
            checked << id;
    }
    for (int id = kIdZoomInFirst; id <= kIdZoomOutLast; ++id) {
        if (t.Update(id).checked)
            checked << id;
    }
    return checked;
}

}  // namespace

class TestView : public QObject {
    Q_OBJECT

private slots:
    void scrollSizes_data() {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("command");
        QTest::addColumn<QSize>("total");
        QTest::newRow("3:1") << 1000 << 800 << 32812 << QSize(3000, 2400);
        QTest::newRow("1:3") << 1000 << 800 << 32827 << QSize(333, 266);
        QTest::newRow("16:1") << 2048 << 2048 << 32825 << QSize(32768, 32768);
        QTest::newRow("1:16") << 1000 << 800 << 32840 << QSize(62, 50);
        QTest::newRow("actual") << 1000 << 800 << 32772 << QSize(1000, 800);
    }

    void scrollSizes() {
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(int, command);
        QFETCH(QSize, total);
        CTestApp t;
        MakeImage(t, width, height);
        QCOMPARE(t.View().TotalSize(), QSize(width, height));
        QVERIFY(t.Execute(command));
        QCOMPARE(t.View().TotalSize(), total);
    }

    void zoomChecks() {
        CTestApp t;
        MakeImage(t, 100, 80);
        QCOMPARE(CheckedZoomItems(t), QList<int>({kIdActualSize}));
        t.Execute(32813);  // 4:1
        QCOMPARE(CheckedZoomItems(t), QList<int>({32813}));
        t.Execute(32826);  // 1:2
        QCOMPARE(CheckedZoomItems(t), QList<int>({32826}));
        QCOMPARE(t.View().m_nZoomIn, 4);  // kept, not in effect
        QCOMPARE(t.View().m_bZoomIn, 0);
        t.Execute(32772);
        QCOMPARE(CheckedZoomItems(t), QList<int>({kIdActualSize}));
        t.Execute(32813);
        t.Execute(32772);
        QCOMPARE(CheckedZoomItems(t), QList<int>({kIdActualSize}));
    }

    void zoomDoesNotCompose() {
        CTestApp t;
        MakeImage(t, 100, 80);
        const int before = t.View().ComposeCount();
        t.Execute(32815);
        t.Execute(32830);
        QCOMPARE(t.View().ComposeCount(), before);
    }

    void toggles_data() {
        QTest::addColumn<int>("command");
        QTest::addColumn<bool>("initiallyOn");
        QTest::newRow("title") << kIdTitle << true;
        QTest::newRow("grid") << kIdGrid << true;
        QTest::newRow("map") << kIdMap << true;
        QTest::newRow("provinces") << kIdProvinces << false;
        QTest::newRow("isotherms") << kIdIsotherms << false;
    }

    void toggles() {
        QFETCH(int, command);
        QFETCH(bool, initiallyOn);
        CTestApp t;
        CTempDir dir;
        QVERIFY(WriteTestProduct(dir.File("p.awx")));
        QVERIFY(t.App().OpenDocumentFile(dir.File("p.awx")));
        const QImage first = t.View().OffscreenPicture().copy();
        const int composed = t.View().ComposeCount();
        QCOMPARE(t.Update(command).checked, initiallyOn);
        t.Execute(command);
        QCOMPARE(t.Update(command).checked, !initiallyOn);
        t.Execute(command);
        QCOMPARE(t.Update(command).checked, initiallyOn);
        QCOMPARE(t.View().ComposeCount(), composed + 2);
        QCOMPARE(t.View().OffscreenPicture(), first);
    }

    // The estimate is drawn over the open product until it is hidden, and
    // stays on while other products are opened.
    void precipitationShowsUntilHidden() {
        CTestApp t;
        CTempDir dir;
        AwxWriterOptions o;
        o.width = 800;
        o.height = 600;
        const std::string ir1 = dir.File("FY2G_LCN_IR1_202203311300.AWX");
        const std::string ir2 = dir.File("FY2G_LCN_IR2_202203311300.AWX");
        QVERIFY(WriteAwxProduct(ir1, o));
        o.channel = 2;
        QVERIFY(WriteAwxProduct(ir2, o));
        QVERIFY(t.App().OpenDocumentFile(ir1));
        const QImage plain = t.View().OffscreenPicture().copy();
        QVERIFY(!t.Update(kIdShowPrecipitation).checked);

        t.Execute(kIdShowPrecipitation);
        QVERIFY(t.Update(kIdShowPrecipitation).checked);
        QVERIFY(!t.View().Job().Precipitation().Empty());
        // The legend's white box sits in the lower left corner.
        QCOMPARE(t.View().OffscreenPicture().pixel(2, 598), qRgb(255, 255, 255));
        QVERIFY(t.View().OffscreenPicture() != plain);

        QVERIFY(t.App().OpenDocumentFile(ir2));
        QVERIFY(t.Update(kIdShowPrecipitation).checked);
        QCOMPARE(t.View().OffscreenPicture().pixel(2, 598), qRgb(255, 255, 255));

        QVERIFY(t.App().OpenDocumentFile(ir1));
        t.Execute(kIdHidePrecipitation);
        QVERIFY(!t.Update(kIdShowPrecipitation).checked);
        QCOMPARE(t.View().OffscreenPicture(), plain);
    }

    void gridOffChangesThePicture() {
        CTestApp t;
        CTempDir dir;
        QVERIFY(WriteTestProduct(dir.File("p.awx"), 400, 300));
        QVERIFY(t.App().OpenDocumentFile(dir.File("p.awx")));
        const QImage withGrid = t.View().OffscreenPicture().copy();
        t.Execute(kIdGrid);
        QVERIFY(t.View().OffscreenPicture() != withGrid);
    }

    // A switch repaints only the part of the window it changed: what is on
    // screen afterwards equals a repaint of the whole view, at every zoom.
    void switchRepaintsWhatItChanged_data() {
        QTest::addColumn<int>("zoom");
        QTest::addColumn<int>("command");
        QTest::newRow("1:1 grid") << 32772 << kIdGrid;
        QTest::newRow("3:1 map") << 32812 << kIdMap;
        QTest::newRow("1:3 grid") << 32827 << kIdGrid;
    }

    void switchRepaintsWhatItChanged() {
        QFETCH(int, zoom);
        QFETCH(int, command);
        CTestApp t;
        CTempDir dir;
        QVERIFY(WriteTestProduct(dir.File("p.awx"), 400, 300));
        QVERIFY(t.App().OpenDocumentFile(dir.File("p.awx")));
        t.Frame().show();
        t.Execute(zoom);
        QWidget* viewport = t.View().viewport();
        const auto onScreen = [&] {
            QCoreApplication::processEvents();
            const QPoint at = viewport->mapTo(viewport->window(), QPoint(0, 0));
            return viewport->window()
                ->windowHandle()
                ->screen()
                ->grabWindow(viewport->window()->winId(), at.x(), at.y(), viewport->width(),
                             viewport->height())
                .toImage();
        };
        onScreen();
        for (int turn = 0; turn < 3; ++turn) {
            const int composed = t.View().ComposeCount();
            QVERIFY(t.Execute(command));
            QCOMPARE(t.View().ComposeCount(), composed + 1);
            const QImage switched = onScreen();
            viewport->update();
            QCOMPARE(switched, onScreen());
        }
    }

    void paletteChecks() {
        CTestApp t;
        MakeImage(t, 16, 16);
        const auto checked = [&t]() -> QList<int> {
            QList<int> ids;
            for (int id = kIdPaletteFirst; id <= kIdPaletteLast; ++id) {
                if (t.Update(id).checked)
                    ids << id;
                if (!t.Update(id).enabled)
                    ids << -id;
            }
            return ids;
        };
        QCOMPARE(checked(), QList<int>());
        t.Execute(32845);
        QCOMPARE(checked(), QList<int>({32845}));
        QVERIFY(t.View().m_palette.m_strPalette.ends_with("gray1.lut"));
        t.Execute(32849);
        QCOMPARE(checked(), QList<int>({32849}));
        t.Execute(32849);  // the checked item again: palettes off
        QCOMPARE(checked(), QList<int>());
        QCOMPARE(t.View().m_palette.m_bPaletteOn, 0);
    }

    void customPaletteAsksForAFile() {
        CTestApp t;
        MakeImage(t, 16, 16);
        t.answers.openPath = std::string("/somewhere/my.lut");
        t.Execute(kIdPaletteLast);
        QCOMPARE(t.answers.fileRequests.size(), std::size_t(1));
        QCOMPARE(t.answers.fileRequests[0].title, std::string("请选择调色板文件"));
        QCOMPARE(t.answers.fileRequests[0].initialName, std::string("*.*"));
        QVERIFY(t.answers.fileRequests[0].filter.empty());
        QCOMPARE(t.View().m_palette.m_strPalette, std::string("/somewhere/my.lut"));
        t.answers.openPath.reset();
        t.Execute(32846);
        t.Execute(kIdPaletteLast);  // cancelled: the previous file stays
        QVERIFY(t.Update(kIdPaletteLast).checked);
        QVERIFY(t.View().m_palette.m_strPalette.ends_with("gray2.lut"));
    }

    void composeWithoutImage() {
        CTestApp t;
        QCOMPARE(t.View().Compose(), 0);
        QVERIFY(t.View().OffscreenPicture().isNull());
    }

    // Painting a part stretches only the source pixels that part needs and
    // gives the same pixels as stretching the whole picture.
    void paintsTheExposedPart_data() {
        QTest::addColumn<int>("command");
        QTest::addColumn<QRect>("part");
        QTest::newRow("4:1") << 32813 << QRect(37, 21, 50, 33);
        QTest::newRow("16:1") << 32825 << QRect(1000, 700, 97, 61);
        QTest::newRow("1:1") << 32772 << QRect(5, 9, 40, 30);
        QTest::newRow("1:3") << 32827 << QRect(3, 4, 20, 11);
    }

    void paintsTheExposedPart() {
        QFETCH(int, command);
        QFETCH(QRect, part);
        CTestApp t;
        MakeImage(t, 100, 80);
        QImage& picture = const_cast<QImage&>(t.View().OffscreenPicture());
        for (int y = 0; y < 80; ++y) {
            for (int x = 0; x < 100; ++x) {
                picture.setPixel(x, y, qRgb(x * 2, y * 3, (x * y) & 0xff));
            }
        }
        t.Execute(command);
        const QSize total = t.View().TotalSize();
        QImage whole(total, QImage::Format_RGB32);
        whole.fill(Qt::black);
        {
            QPainter painter(&whole);
            const CKelvraView& v = t.View();
            const QSize source = v.m_bZoomIn ? total / v.m_nZoomIn : total * v.m_nZoomOut;
            painter.drawImage(QRect(QPoint(0, 0), total), picture, QRect(QPoint(0, 0), source));
        }
        QImage partial(part.size(), QImage::Format_RGB32);
        partial.fill(Qt::black);
        {
            QPainter painter(&partial);
            painter.translate(-part.topLeft());
            painter.setClipRect(part);
            t.View().PaintPicture(painter, part);
        }
        QCOMPARE(partial, whole.copy(part));
    }

    void escapePostsFullScreenToTheFrame() {
        CTestApp t;
        QList<int> posted;
        t.View().SetFramePoster([&posted](int id) { posted << id; });
        QTest::keyClick(&t.View(), Qt::Key_Escape);
        QVERIFY(posted.isEmpty());  // posted, not sent
        QCoreApplication::processEvents();
        QCOMPARE(posted, QList<int>({kIdFullScreen}));
    }

    void printingPaintsThePicture() {
        CTestApp t;
        MakeImage(t, 40, 30);
        t.Execute(32811);  // 2:1
        QImage page(200, 200, QImage::Format_RGB32);
        page.fill(Qt::white);
        QPainter painter(&page);
        t.View().PaintPicture(painter, QRect(QPoint(0, 0), t.View().TotalSize()));
        painter.end();
        QCOMPARE(page.pixel(79, 59), qRgb(0, 0, 0));
        QCOMPARE(page.pixel(80, 60), qRgb(255, 255, 255));
    }
};

QTEST_MAIN(TestView)
#include "test_view.moc"
