// The view as a forecaster uses it: the read-out of the pixel under the
// mouse in the status bar at every zoom, the zoom stepped by Ctrl with the
// wheel or the keys about a fixed point, the colour legend switch, and the
// picture fitted to the printed page.

#include <QMouseEvent>
#include <QPainter>
#include <QPrinter>
#include <QScrollBar>
#include <QWheelEvent>
#include <QtTest>

#include "support/UniformProduct.h"
#include "ui/CommandIds.h"
#include "ui/support/UiTestSupport.h"

namespace {

constexpr int kCount = 200;

// An equal latitude/longitude product of one count everywhere (see
// UniformProduct), opened in the document.
bool OpenUniform(CTestApp& t, const CTempDir& dir, int channel, double value, int width = 101,
                 int height = 81) {
    AwxWriterOptions options;
    options.channel = channel;
    options.width = width;
    options.height = height;
    options.resolution = 0.04;
    const std::string path = dir.File("p.awx");
    return WriteBytesToPath(path, UniformProduct(options, kCount, value)) &&
           t.App().OpenDocumentFile(path);
}

void MoveMouse(CTestApp& t, const QPoint& pos) {
    QWidget* viewport = t.View().viewport();
    QMouseEvent move(QEvent::MouseMove, QPointF(pos), viewport->mapToGlobal(QPointF(pos)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(viewport, &move);
}

// A mouse event on the view's viewport with the buttons held.
void SendMouse(CTestApp& t, QEvent::Type type, const QPoint& pos, Qt::MouseButton button,
               Qt::MouseButtons held) {
    QWidget* viewport = t.View().viewport();
    QMouseEvent event(type, QPointF(pos), viewport->mapToGlobal(QPointF(pos)), button, held,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(viewport, &event);
}

void TurnWheel(CTestApp& t, const QPoint& pos, int delta, Qt::KeyboardModifiers modifiers) {
    QWidget* viewport = t.View().viewport();
    QWheelEvent wheel(QPointF(pos), viewport->mapToGlobal(QPointF(pos)), QPoint(), QPoint(0, delta),
                      Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(viewport, &wheel);
}

// The frame shown at a fixed size, so the view has a real viewport (about
// 400 x 400 beside the side bar).
bool ShowFrame(CTestApp& t) {
    t.Frame().resize(700, 500);
    t.Frame().show();
    return QTest::qWaitForWindowExposed(&t.Frame());
}

QString ZoomOf(const CKelvraView& view) {
    if (view.m_bZoomIn) {
        return QStringLiteral("%1:1").arg(view.m_nZoomIn);
    }
    return QStringLiteral("1:%1").arg(view.m_nZoomOut);
}

// The bounding box of the pixels that are not white.
QRect InkBox(const QImage& page) {
    QRect box;
    for (int y = 0; y < page.height(); ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(page.constScanLine(y));
        for (int x = 0; x < page.width(); ++x) {
            if ((row[x] & 0xFFFFFF) != 0xFFFFFF) {
                box |= QRect(x, y, 1, 1);
            }
        }
    }
    return box;
}

}  // namespace

class TestViewReadout : public QObject {
    Q_OBJECT

private slots:
    void readoutFollowsTheMouse_data() {
        QTest::addColumn<int>("channel");
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("zoom");
        QTest::addColumn<QPoint>("mouse");
        QTest::addColumn<QString>("text");
        // Each projection's text is the core's concern; here the mouse meets
        // the zoom. The product's time ends the line, in UTC and Beijing time.
        const QString time = "  2022年03月31日 13:00 UTC（北京时间 21:00）";
        const QString centre =
            "像素 (50, 40)  经度 97.52°E  纬度 27.50°N  计数 200  亮温 263.0 K (-10.1 °C)" + time;
        QTest::newRow("1:1") << 1 << 263.0 << kIdActualSize << QPoint(50, 40) << centre;
        // Enlarged, both screen pixels of an image pixel read it.
        QTest::newRow("2:1") << 1 << 263.0 << 32811 << QPoint(101, 81) << centre;
        // Reduced, a screen pixel shows every second image pixel.
        QTest::newRow("1:2") << 1 << 263.0 << 32826 << QPoint(25, 20) << centre;
        QTest::newRow("visible") << 5 << 45.5 << kIdActualSize << QPoint(50, 40)
                                 << "像素 (50, 40)  经度 97.52°E  纬度 27.50°N  计数 200  反照率 "
                                    "45.5%" +
                                        time;
        QTest::newRow("beside the image")
            << 1 << 263.0 << kIdActualSize << QPoint(120, 20) << "像素 (120, 20)" + time;
    }

    void readoutFollowsTheMouse() {
        QFETCH(int, channel);
        QFETCH(double, value);
        QFETCH(int, zoom);
        QFETCH(QPoint, mouse);
        QFETCH(QString, text);
        CTestApp t;
        CTempDir dir;
        QVERIFY(ShowFrame(t));
        QVERIFY(OpenUniform(t, dir, channel, value));
        QVERIFY(t.Execute(zoom));
        const int composed = t.View().ComposeCount();
        QCOMPARE(t.Frame().IdleText(), QStringLiteral("就绪"));
        MoveMouse(t, mouse);
        QCOMPARE(t.Frame().IdleText(), text);
        QCOMPARE(t.View().ComposeCount(), composed);  // reading composes nothing
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(t.View().viewport(), &leave);
        QCOMPARE(t.Frame().IdleText(), QStringLiteral("就绪"));
    }

    void readoutOfAPlainPicture() {
        CTestApp t;
        CTempDir dir;
        QVERIFY(WriteTestBmp(dir.File("a.bmp")));
        QVERIFY(t.App().OpenDocumentFile(dir.File("a.bmp")));
        // The test picture's count at (x, y) is 40 + (2x + y) % 120.
        QCOMPARE(QString::fromStdString(t.View().ReadoutAt(QPoint(5, 7))),
                 QStringLiteral("像素 (5, 7)  计数 57"));
        CTestApp empty;
        QCOMPARE(QString::fromStdString(empty.View().ReadoutAt(QPoint(5, 7))), QString());
    }

    void ctrlWheelStepsTheZoomAboutTheCursor_data() {
        QTest::addColumn<int>("start");
        QTest::addColumn<QList<int>>("deltas");
        QTest::addColumn<QString>("zoom");
        QTest::newRow("1:1 up a notch") << kIdActualSize << QList<int>{120} << "2:1";
        QTest::newRow("two notches at once") << 32811 << QList<int>{240} << "8:1";
        QTest::newRow("half notches add up") << kIdActualSize << QList<int>{60, 60} << "2:1";
        QTest::newRow("down from 1:1") << kIdActualSize << QList<int>{-120} << "1:2";
        QTest::newRow("from 3:1 to the next step") << 32812 << QList<int>{120} << "4:1";
        QTest::newRow("from 1:3 down") << 32827 << QList<int>{-120} << "1:4";
        QTest::newRow("16:1 is the largest") << 32825 << QList<int>{120} << "16:1";
        QTest::newRow("1:16 is the smallest") << 32840 << QList<int>{-120} << "1:16";
    }

    void ctrlWheelStepsTheZoomAboutTheCursor() {
        QFETCH(int, start);
        QFETCH(QList<int>, deltas);
        QFETCH(QString, zoom);
        CTestApp t;
        CTempDir dir;
        QVERIFY(ShowFrame(t));
        // Large enough to scroll at 1:4 as well.
        QVERIFY(OpenUniform(t, dir, 1, 263.0, 2401, 2401));
        QVERIFY(t.Execute(start));
        // Somewhere inside, away from the edges the scroll bars stop at.
        t.View().horizontalScrollBar()->setValue(t.View().horizontalScrollBar()->maximum() / 2);
        t.View().verticalScrollBar()->setValue(t.View().verticalScrollBar()->maximum() / 2);
        const QPoint cursor(130, 90);
        const QPoint before = t.View().ImagePixelAt(cursor);
        const int composed = t.View().ComposeCount();
        for (int delta : deltas) {
            TurnWheel(t, cursor, delta, Qt::ControlModifier);
        }
        QCOMPARE(ZoomOf(t.View()), zoom);
        const QPoint after = t.View().ImagePixelAt(cursor);
        // The same image point stays under the cursor (to the pixel a
        // reduced view can show).
        const int tolerance = t.View().m_bZoomIn ? 0 : t.View().m_nZoomOut;
        QVERIFY2(std::abs(after.x() - before.x()) <= tolerance &&
                     std::abs(after.y() - before.y()) <= tolerance,
                 qPrintable(QStringLiteral("(%1,%2) -> (%3,%4)")
                                .arg(before.x())
                                .arg(before.y())
                                .arg(after.x())
                                .arg(after.y())));
        QCOMPARE(t.View().ComposeCount(), composed);
        // The zoom items show the zoom reached.
        const int id =
            t.View().m_bZoomIn
                ? kZoomInBase + t.View().m_nZoomIn
                : (t.View().m_nZoomOut == 1 ? kIdActualSize : kZoomOutBase + t.View().m_nZoomOut);
        QVERIFY(t.Update(id).checked);
    }

    void wheelWithoutCtrlScrolls() {
        CTestApp t;
        CTempDir dir;
        QVERIFY(ShowFrame(t));
        QVERIFY(OpenUniform(t, dir, 1, 263.0, 1201, 901));
        TurnWheel(t, QPoint(100, 100), -120, Qt::NoModifier);
        QCOMPARE(ZoomOf(t.View()), QStringLiteral("1:1"));
        QVERIFY(t.View().verticalScrollBar()->value() > 0);
    }

    void ctrlPlusAndMinusStepAboutTheMiddle() {
        CTestApp t;
        CTempDir dir;
        QVERIFY(ShowFrame(t));
        QVERIFY(OpenUniform(t, dir, 1, 263.0, 1201, 901));
        t.Frame().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&t.Frame()));
        const QPoint middle = t.View().viewport()->rect().center();
        const QPoint before = t.View().ImagePixelAt(middle);
        QTest::keyClick(&t.Frame(), Qt::Key_Plus, Qt::ControlModifier);
        QCOMPARE(ZoomOf(t.View()), QStringLiteral("2:1"));
        QCOMPARE(t.View().ImagePixelAt(middle), before);
        QTest::keyClick(&t.Frame(), Qt::Key_Equal, Qt::ControlModifier);
        QCOMPARE(ZoomOf(t.View()), QStringLiteral("4:1"));
        QTest::keyClick(&t.Frame(), Qt::Key_Minus, Qt::ControlModifier);
        QTest::keyClick(&t.Frame(), Qt::Key_Minus, Qt::ControlModifier);
        QTest::keyClick(&t.Frame(), Qt::Key_Minus, Qt::ControlModifier);
        QCOMPARE(ZoomOf(t.View()), QStringLiteral("1:2"));
    }

    // "适合窗口": the largest zoom step that shows the whole picture, in
    // the middle of the view, kept through a resize until a zoom is chosen.
    void fitToWindowShowsTheWholePicture_data() {
        QTest::addColumn<QSize>("image");
        QTest::newRow("small, enlarged") << QSize(101, 81);
        QTest::newRow("large, reduced") << QSize(1801, 1201);
    }

    void fitToWindowShowsTheWholePicture() {
        QFETCH(QSize, image);
        CTestApp t;
        CTempDir dir;
        QVERIFY(ShowFrame(t));
        QVERIFY(OpenUniform(t, dir, 1, 263.0, image.width(), image.height()));
        for (const QSize frameSize : {QSize(700, 500), QSize(1000, 700)}) {
            t.Frame().resize(frameSize);
            QVERIFY(t.Execute(kIdFitWindow));
            QCoreApplication::processEvents();
            const QSize room = t.View().viewport()->size();
            const QSize shown = t.View().TotalSize();
            QVERIFY(shown.width() <= room.width() && shown.height() <= room.height());
            // The next step up would not fit.
            QVERIFY(shown.width() * 2 > room.width() || shown.height() * 2 > room.height());
            const QPoint middle = t.View().viewport()->rect().center();
            const QPoint centre(image.width() / 2, image.height() / 2);
            const QPoint read = t.View().ImagePixelAt(middle);
            const int tolerance = t.View().m_bZoomIn ? 1 : t.View().m_nZoomOut;
            QVERIFY2((read - centre).manhattanLength() <= 2 * tolerance,
                     qPrintable(QStringLiteral("%1,%2").arg(read.x()).arg(read.y())));
            QVERIFY(t.Update(kIdFitWindow).checked);
        }
        QVERIFY(t.Execute(kIdActualSize));
        QVERIFY(!t.Update(kIdFitWindow).checked);
        QCOMPARE(t.View().TotalSize(), image);
    }

    // Dragging moves the picture with the mouse: the middle button always,
    // the left one in the normal mode.
    void dragMovesThePicture_data() {
        QTest::addColumn<int>("button");
        QTest::newRow("middle") << int(Qt::MiddleButton);
        QTest::newRow("left") << int(Qt::LeftButton);
    }

    void dragMovesThePicture() {
        QFETCH(int, button);
        const auto pressed = static_cast<Qt::MouseButton>(button);
        CTestApp t;
        CTempDir dir;
        QVERIFY(ShowFrame(t));
        QVERIFY(OpenUniform(t, dir, 1, 263.0, 1201, 901));
        QCOMPARE(t.View().Mode(), ViewMode::kNormal);
        t.View().horizontalScrollBar()->setValue(300);
        t.View().verticalScrollBar()->setValue(200);
        const QPoint from(200, 150);
        const QPoint grabbed = t.View().ImagePixelAt(from);
        SendMouse(t, QEvent::MouseButtonPress, from, pressed, pressed);
        SendMouse(t, QEvent::MouseMove, QPoint(150, 190), Qt::NoButton, pressed);
        SendMouse(t, QEvent::MouseMove, QPoint(120, 230), Qt::NoButton, pressed);
        SendMouse(t, QEvent::MouseButtonRelease, QPoint(120, 230), pressed, Qt::NoButton);
        QCOMPARE(t.View().ImagePixelAt(QPoint(120, 230)), grabbed);
        QCOMPARE(t.View().horizontalScrollBar()->value(), 380);
        QCOMPARE(t.View().verticalScrollBar()->value(), 120);
        // Once let go, moving the mouse reads out and moves nothing.
        SendMouse(t, QEvent::MouseMove, QPoint(10, 10), Qt::NoButton, Qt::NoButton);
        QCOMPARE(t.View().horizontalScrollBar()->value(), 380);
    }

    // "色标" in "查看" draws the legend at the bottom of the picture and
    // takes it away again.
    void legendSwitch() {
        CTestApp t;
        CTempDir dir;
        QVERIFY(OpenUniform(t, dir, 1, 263.0, 401, 301));
        const QImage without = t.View().OffscreenPicture().copy();
        QVERIFY(!t.Update(kIdColourLegend).checked);
        QVERIFY(t.Execute(kIdColourLegend));
        QVERIFY(t.Update(kIdColourLegend).checked);
        const QImage with = t.View().OffscreenPicture();
        QCOMPARE(with.pixel(0, 300), qRgb(255, 255, 255));
        QCOMPARE(without.pixel(0, 300), qRgb(kCount, kCount, kCount));
        QCOMPARE(with.copy(0, 0, 401, 200), without.copy(0, 0, 401, 200));  // top untouched
        QVERIFY(t.Execute(kIdColourLegend));
        QCOMPARE(t.View().OffscreenPicture(), without);
    }

    void pictureFitsThePrintedPage_data() {
        QTest::addColumn<QSize>("picture");
        QTest::addColumn<QRect>("printable");
        QTest::addColumn<QRect>("placed");
        QTest::newRow("wide on portrait")
            << QSize(1900, 1300) << QRect(0, 0, 2400, 3300) << QRect(0, 829, 2400, 1642);
        QTest::newRow("tall on landscape, offset area")
            << QSize(600, 800) << QRect(50, 40, 3000, 2000) << QRect(800, 40, 1500, 2000);
        QTest::newRow("small picture enlarged")
            << QSize(100, 50) << QRect(0, 0, 1000, 1000) << QRect(0, 250, 1000, 500);
        QTest::newRow("same shape")
            << QSize(400, 300) << QRect(0, 0, 800, 600) << QRect(0, 0, 800, 600);
        QTest::newRow("no picture") << QSize() << QRect(0, 0, 800, 600) << QRect();
    }

    void pictureFitsThePrintedPage() {
        QFETCH(QSize, picture);
        QFETCH(QRect, printable);
        QFETCH(QRect, placed);
        QCOMPARE(CKelvraView::FitToPage(picture, printable), placed);
    }

    // The page as printing and the preview paint it, on a fixed A4 page at
    // 150 dpi: the composed picture fills the width, centred, at any zoom.
    void pagePaintedWithThePictureFitted() {
        CTestApp t;
        CTempDir dir;
        QVERIFY(OpenUniform(t, dir, 1, 263.0, 190, 130));
        QVERIFY(t.Execute(32815));  // 6:1 on screen changes nothing on paper
        QImage page(1240, 1754, QImage::Format_RGB32);
        page.fill(Qt::white);
        {
            QPainter painter(&page);
            t.View().PaintPage(painter, page.rect());
        }
        QCOMPARE(InkBox(page), QRect(0, 453, 1240, 848));
        QCOMPARE(InkBox(page), CKelvraView::FitToPage(QSize(190, 130), page.rect()));

        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(dir.File("page.pdf")));
        printer.setPageSize(QPageSize(QPageSize::A4));
        t.View().PrintTo(printer);
        QVERIFY(ReadFileBytes(dir.File("page.pdf")).size() > 1000);
    }
};

QTEST_MAIN(TestViewReadout)
#include "test_view_readout.moc"
