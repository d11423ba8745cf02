// The time-true loop and its export from the animation pane: frames put in
// observation-time order, a missing hour held and marked in the title line,
// the slider over every step; the loop on screen written as a GIF through
// the export command, and a cancelled export leaving nothing.

#include <QtTest>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "browse/CAnimationPlayback.h"
#include "browse/CatalogueListing.h"
#include "convection/ConvectionOverlay.h"
#include "dialogs/CMovieDlg.h"
#include "geo/Projection.h"
#include "image/GifWriter.h"
#include "support/ConvectionProducts.h"
#include "support/GifReadBack.h"
#include "synth/AwxWriter.h"
#include "ui/CommandIds.h"
#include "ui/support/FakeAnimationTimer.h"
#include "ui/support/UiTestSupport.h"

namespace {

// Products of 10:00, 11:00 and 13:00 named against their order in time,
// wide enough for the title line and its mark.
std::vector<FrameEntry> WriteLoopProducts(const CTempDir& folder) {
    const struct {
        const char* name;
        int hour;
    } products[] = {
        {"FY2G_LCN_IR1_a.AWX", 13}, {"FY2G_LCN_IR1_b.AWX", 11}, {"FY2G_LCN_IR1_c.AWX", 10}};
    for (const auto& p : products) {
        AwxWriterOptions options;
        options.width = 800;
        options.height = 64;
        options.hour = p.hour;
        WriteAwxProduct(folder.File(p.name), options);
    }
    return ListFrameEntries(folder.Path(), "LCN", 1);
}

// Three hours of a 200 K disc moving east, so that the loop has cells and
// a track; two counts only, so a GIF frame holds the picture exactly.
std::vector<FrameEntry> WriteMovingCell(const CTempDir& folder) {
    ProjectionParams params;
    SetUpProjection(EqualLatLon, 105.0, 30.0, 0.05, 240, 160, 30.0, 60.0, params);
    AwxWriterOptions options;
    options.centerLon = 105.0;
    options.centerLat = 30.0;
    for (int k = 0; k < 3; ++k) {
        TestImage image(240, 160);
        PaintDisc(image, params, 103.5 + 0.5 * k, 30.0, 120.0, 200.0);
        options.hour = 10 + k;
        WriteTestProduct(folder.File("FY2G_LCN_IR1_2022033110" + std::to_string(k) + ".AWX"),
                         options, image);
    }
    return ListFrameEntries(folder.Path(), "LCN", 1);
}

// 0x00RRGGBB, top row first, as the GIF is read back.
std::vector<std::uint32_t> PixelsOfPicture(const QImage& picture) {
    std::vector<std::uint32_t> pixels;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            pixels.push_back(picture.pixel(x, y) & 0xFFFFFFu);
        }
    }
    return pixels;
}

}  // namespace

class TestLoopExport : public QObject {
    Q_OBJECT

private slots:
    void timeTrueLoopHoldsTheMissingHour_data() {
        QTest::addColumn<bool>("timeTrue");
        QTest::addColumn<QStringList>("paths");  // play order
        QTest::addColumn<QStringList>("marks");  // title mark of each step
        QTest::addColumn<QString>("thirdTime");
        QTest::newRow("off: rows as listed")
            << false << QStringList{"a", "b", "c"} << QStringList{"", "", ""}
            << "2022年03月31日 10:00 (UTC)";
        QTest::newRow("on: time order, 12:00 held")
            << true << QStringList{"c", "b", "a"} << QStringList{"", "", "缺测 12:00", ""}
            << "2022年03月31日 12:00 (UTC)";
    }
    void timeTrueLoopHoldsTheMissingHour() {
        QFETCH(bool, timeTrue);
        QFETCH(QStringList, paths);
        QFETCH(QStringList, marks);
        QFETCH(QString, thirdTime);
        CTempDir folder;
        CMemorySettings settings;
        auto* clock = new CFakeAnimationTimer;
        CAnimationPlayback playback{std::unique_ptr<CAnimationTimer>(clock)};
        QStringList shownMarks;
        CAnimationHost host;
        host.setTitleMark = [&](const std::string& mark) {
            shownMarks << QString::fromStdString(mark);
        };
        playback.SetHost(std::move(host));
        CMovieDlg dlg(settings);
        dlg.SetPlayback(&playback);
        dlg.m_listDlg.m_entries = WriteLoopProducts(folder);
        dlg.m_listDlg.RefreshList();
        dlg.m_timeTrue.setChecked(timeTrue);
        dlg.m_check24.click();
        dlg.m_animate.click();

        QStringList order;
        for (const FrameEntry& frame : dlg.m_frames) {
            order << QString::fromStdString(frame.path).section('_', -1).left(1);
        }
        QCOMPARE(order, paths);
        QCOMPARE(dlg.m_slider.maximum(), int(marks.size()) - 1);
        QVERIFY(dlg.m_export.isEnabled());
        for (int i = 0; i < marks.size(); ++i) {
            clock->FireNext();
            if (i == 2) {
                QCOMPARE(dlg.m_time.text(), thirdTime);
                QCOMPARE(dlg.m_slider.toolTip(), thirdTime);
            }
        }
        QCOMPARE(shownMarks, marks);
    }

    // Every GIF frame is the picture the view shows of that frame: cells,
    // tracks, map lines, grid and title in the screen's order.
    void exportShowsWhatTheScreenShows() {
        CTestApp t;
        CTempDir folder;
        const std::vector<FrameEntry> entries = WriteMovingCell(folder);
        QCOMPARE(int(entries.size()), 3);
        QVERIFY(t.App().OpenDocumentFile(entries.back().path));
        QVERIFY(t.Execute(kIdShowCells));
        CAnimationPlayback& playback = t.View().m_playback;
        playback.SetInterval(60000);  // no step of its own while the test looks
        QVERIFY(playback.Start(entries));
        playback.ShowAnimationFrame();  // the first step: tracks belong to a loop on screen
        QVERIFY(t.Execute(kIdShowTracks));
        QCOMPARE(t.View().ExportLoop(folder.File("loop.gif"), [](int, int) { return true; }),
                 LoopExportResult::kWritten);
        const GifReadBack back = ReadGifBack(folder.File("loop.gif"));
        QVERIFY(back.ok);
        QCOMPARE(int(back.frames.size()), 3);
        for (int frame = 0; frame < 3; ++frame) {
            // The frame on screen, as a step of the loop shows it.
            QVERIFY(t.Doc().MakeFrameCurrent(frame));
            t.View().OnInitialUpdate();
            const QImage& shown = t.View().OffscreenPicture();
            QVERIFY(PixelsOf(t, CellColour(200.0f)) > 50);  // the cell's outline is on screen
            QVERIFY2(back.frames[static_cast<std::size_t>(frame)] == PixelsOfPicture(shown),
                     qPrintable(QStringLiteral("frame %1").arg(frame)));
        }
        QVERIFY(PixelsOf(t, CanvasRgb(0, 255, 0)) > 0);  // the track by the last frame
        playback.Stop();
        QVERIFY(t.Messages().empty());
    }

    void exportWritesTheLoopOnScreen() {
        CTestApp t;
        CTempDir folder;
        const std::vector<FrameEntry> entries = WriteLoopProducts(folder);
        QVERIFY(!t.Update(kIdExportLoop).enabled);
        // Started and exported from the side bar's pane, as a forecaster does.
        CMovieDlg& movie = t.Frame().Movie();
        movie.m_listDlg.m_entries = entries;
        movie.m_listDlg.RefreshList();
        movie.m_check24.click();
        movie.m_timeTrue.setChecked(true);
        movie.m_interval.setText("300");
        movie.m_animate.click();
        CAnimationPlayback& playback = t.View().m_playback;
        QCOMPARE(playback.Interval(), 300);
        QVERIFY(t.Update(kIdExportLoop).enabled);

        t.answers.savePath = folder.File("loop");
        movie.m_export.click();
        const GifReadBack back = ReadGifBack(folder.File("loop.gif"));
        QVERIFY(back.ok);
        QCOMPARE(back.width, 800);
        QCOMPARE(back.height, 64);
        QCOMPARE(int(back.frames.size()), 4);
        QCOMPARE(back.delays, (std::vector<int>{30, 30, 30, 30}));
        QCOMPARE(back.loopCount, 0);
        // The held frame is 11:00 again, with its mark on the title line.
        const std::size_t titleRows = 32 * 800;
        QVERIFY(back.frames[2] != back.frames[1]);
        QVERIFY(std::equal(back.frames[2].begin() + titleRows, back.frames[2].end(),
                           back.frames[1].begin() + titleRows));
        QVERIFY(t.Messages().empty());

        // A cancel after the first frame leaves nothing.
        const std::string cancelled = folder.File("cancelled.gif");
        QCOMPARE(t.View().ExportLoop(cancelled, [](int, int) { return false; }),
                 LoopExportResult::kCancelled);
        QVERIFY(!std::filesystem::exists(cancelled));
        movie.m_animate.click();
        QVERIFY(!movie.m_export.isEnabled());
    }
};

QTEST_MAIN(TestLoopExport)
#include "test_loop_export.moc"
