// An animation played through the real frame: the catalogue listed when the
// frame is first shown, the frames chosen and started in the side bar's
// animation pane, stepped by the view's own timer, and stopped, which shows
// the document's own product again.

#include <QScrollBar>
#include <QtTest>

#include "browse/CatalogueFolder.h"
#include "dialogs/CMovieDlg.h"
#include "dialogs/CSeriesChart.h"
#include "sidebar/COutlook2Ctrl.h"
#include "synth/AwxWriter.h"
#include "ui/CommandIds.h"
#include "ui/support/UiTestSupport.h"

namespace {

// Runs the event loop one batch at a time, so no frame goes by unseen.
bool WaitForText(const QLabel& label, const QString& text) {
    QElapsedTimer clock;
    clock.start();
    while (label.text() != text) {
        if (clock.elapsed() > 10000) {
            return false;
        }
        QCoreApplication::processEvents();
        QTest::qSleep(1);
    }
    return true;
}

// Three products 10-12 UTC in a catalogue folder, listed in the frame's
// animation pane.
void ListThreeFrames(CTestApp& t, const CTempDir& catalogue) {
    for (int hour = 10; hour < 13; ++hour) {
        AwxWriterOptions options;
        options.width = 48;
        options.height = 32;
        options.hour = hour;
        QVERIFY(WriteAwxProduct(catalogue.File("FY2G_LCN_IR1_" + std::to_string(hour) + ".AWX"),
                                options));
    }
    WriteCatalogueFolder(t.settings, catalogue.Path());
    CMainFrame& frame = t.Frame();
    frame.resize(1000, 800);
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    COutlook2Ctrl& bar = frame.Outbar();
    bar.SetSlideDelay(0);
    bar.SetCurrentFolder(1, true);
    QTRY_VERIFY(frame.Movie().isVisible());
    QCOMPARE(frame.Movie().m_listDlg.m_entries.size(), std::size_t(3));
}

}  // namespace

class TestFrameAnimation : public QObject {
    Q_OBJECT

private slots:
    void playsFramesFromTheSideBar() {
        CTestApp t;
        CTempDir catalogue;
        for (int hour = 10; hour < 13; ++hour) {
            AwxWriterOptions options;
            options.width = 48;
            options.height = 32;
            options.hour = hour;
            QVERIFY(WriteAwxProduct(catalogue.File("FY2G_LCN_IR1_" + std::to_string(hour) + ".AWX"),
                                    options));
        }
        WriteCatalogueFolder(t.settings, catalogue.Path());
        // The document's own product, from a later hour than the loop's.
        CTempDir own;
        AwxWriterOptions ownOptions;
        ownOptions.width = 48;
        ownOptions.height = 32;
        ownOptions.hour = 17;
        const std::string ownPath = own.File("FY2G_LCN_IR1_17.AWX");
        QVERIFY(WriteAwxProduct(ownPath, ownOptions));
        CMainFrame& frame = t.Frame();
        frame.resize(1000, 800);
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));

        COutlook2Ctrl& bar = frame.Outbar();
        bar.SetSlideDelay(0);
        bar.SetCurrentFolder(1, true);
        CMovieDlg& movie = frame.Movie();
        QTRY_VERIFY(movie.isVisible());
        QCOMPARE(movie.m_listDlg.m_entries.size(), std::size_t(3));
        QVERIFY(t.App().OpenDocumentFile(ownPath));
        const QImage ownPicture = t.View().OffscreenPicture().copy();

        movie.m_interval.setText("20");
        QTest::mouseClick(&movie.m_check24, Qt::LeftButton);
        QCOMPARE(movie.m_listDlg.SelectedRows().size(), std::size_t(3));
        const int composedBefore = t.View().ComposeCount();
        QTest::mouseClick(&movie.m_animate, Qt::LeftButton);
        CAnimationPlayback& playback = t.View().m_playback;
        QCOMPARE(int(playback.m_bAnimating), 1);
        QCOMPARE(playback.Interval(), 20);
        QCOMPARE(movie.m_animate.text(), "结  束");

        // Two steps of the view's timer: the second and third products on screen.
        QVERIFY(WaitForText(movie.m_counter, "2/3"));
        QVERIFY(WaitForText(movie.m_counter, "3/3"));
        QCOMPARE(movie.m_time.text(), "2022年03月31日 12:00 (UTC)");
        QVERIFY(t.View().ComposeCount() >= composedBefore + 3);
        QCOMPARE(t.Doc().FrameProducts().size(), std::size_t(3));

        QTest::mouseClick(&movie.m_animate, Qt::LeftButton);
        QCOMPARE(int(playback.m_bAnimating), 0);
        QVERIFY(!playback.IsTimerActive());
        QVERIFY(movie.m_counter.text().isEmpty());
        QVERIFY(t.Doc().FrameProducts().empty());
        // The loop's end shows the document's own product again.
        QCOMPARE(t.Doc().Product().Description().hour, 17);
        QCOMPARE(t.View().OffscreenPicture(), ownPicture);
    }

    // With the picture focused, the keys run the loop and the pane's
    // controls follow; without a loop the arrows still scroll the picture.
    void keysRunTheLoop() {
        CTestApp t;
        CTempDir catalogue;
        ListThreeFrames(t, catalogue);
        CMovieDlg& movie = t.Frame().Movie();
        CKelvraView& view = t.View();
        CTempDir wide;
        QVERIFY(WriteTestProduct(wide.File("wide.awx"), 3000, 90));
        QVERIFY(t.App().OpenDocumentFile(wide.File("wide.awx")));
        QVERIFY(t.Execute(kIdActualSize));
        view.setFocus();
        QTRY_VERIFY(view.hasFocus());
        const int scrolled = view.horizontalScrollBar()->value();
        QTest::keyClick(&view, Qt::Key_Right);
        QVERIFY(view.horizontalScrollBar()->value() > scrolled);

        movie.m_interval.setText("200");
        QTest::mouseClick(&movie.m_check24, Qt::LeftButton);
        QTest::mouseClick(&movie.m_animate, Qt::LeftButton);
        CAnimationPlayback& playback = view.m_playback;
        QCOMPARE(int(playback.m_bAnimating), 1);
        view.setFocus();
        QTRY_VERIFY(view.hasFocus());
        const struct {
            const char* name;
            QKeyCombination key;
            QString counter;  // "" when the key shows no other frame
            bool paused;
            int interval;
        } steps[] = {
            {"Space pauses", Qt::Key_Space, "", true, 200},
            {"End: the last frame", Qt::Key_End, "3/3", true, 200},
            {"Left: one back", Qt::Key_Left, "2/3", true, 200},
            {"Home: the first frame", Qt::Key_Home, "1/3", true, 200},
            {"Right: one on", Qt::Key_Right, "2/3", true, 200},
            {"Ctrl+Up: twice as fast", Qt::CTRL | Qt::Key_Up, "", true, 100},
            {"Ctrl+Down: back", Qt::CTRL | Qt::Key_Down, "", true, 200},
            {"Space plays on", Qt::Key_Space, "", false, 200},
        };
        for (const auto& step : steps) {
            QTest::keyClick(&view, step.key.key(), step.key.keyboardModifiers());
            if (!step.counter.isEmpty()) {
                QVERIFY2(WaitForText(movie.m_counter, step.counter), step.name);
            }
            QVERIFY2(bool(playback.m_bPaused) == step.paused, step.name);
            QVERIFY2(playback.Interval() == step.interval, step.name);
            QVERIFY2(movie.m_interval.text() == QString::number(step.interval), step.name);
        }
        QCOMPARE(movie.m_pause.text(), "暂  停");
    }

    // With a loop on screen, the area statistics have a row per frame and a
    // point's history runs through the frames, the frame on screen marked.
    void toolsRunThroughTheLoop() {
        CTestApp t;
        CTempDir catalogue;
        ListThreeFrames(t, catalogue);
        CMovieDlg& movie = t.Frame().Movie();
        movie.m_interval.setText("200");
        QTest::mouseClick(&movie.m_check24, Qt::LeftButton);
        QTest::mouseClick(&movie.m_animate, Qt::LeftButton);
        CKelvraView& view = t.View();
        movie.OnPause();
        movie.OnLastFrame();
        QVERIFY(WaitForText(movie.m_counter, "3/3"));
        QVERIFY(t.Execute(kIdActualSize));

        QVERIFY(view.ShowAreaStatistics({2, 2, 11, 11}));
        const TextTable& area = view.AreaTable();
        QCOMPARE(area.rows.size(), std::size_t(3));
        QCOMPARE(area.rows[0][0], "2022-03-31T10:00Z");
        QCOMPARE(area.rows[2][0], "2022-03-31T12:00Z");
        QCOMPARE(area.rows[1][1], "100");

        QVERIFY(view.ShowPointSeries(QPoint(24, 16)));
        QCOMPARE(view.SeriesPanel()->Table().rows.size(), std::size_t(3));
        QCOMPARE(view.SeriesChart()->Current(), 2);
    }
};

QTEST_MAIN(TestFrameAnimation)
#include "test_frame_animation.moc"
