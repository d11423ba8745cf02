// The animation pane: the 24/48/72 boxes, start and stop with their captions
// and read-outs, pausing, the slider, the interval check and the channel
// tabs, on a fake clock.

#include <QTest>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "browse/CAnimationPlayback.h"
#include "browse/CatalogueFolder.h"
#include "dialogs/CMovieDlg.h"
#include "platform/Message.h"
#include "support/TestSupport.h"
#include "synth/AwxWriter.h"
#include "ui/support/FakeAnimationTimer.h"

namespace {

// A pane driving a playback on a fake clock, over a catalogue folder.
struct Pane {
    CTempDir folder;
    CMemorySettings settings;
    CFakeAnimationTimer* clock = new CFakeAnimationTimer;
    CAnimationPlayback playback{std::unique_ptr<CAnimationTimer>(clock)};
    std::unique_ptr<CMovieDlg> dlg;
    int loads = 0;
    int releases = 0;

    Pane() {
        WriteCatalogueFolder(settings, folder.Path());
        CAnimationHost host;
        host.loadFrames = [this](const std::vector<std::string>&) { ++loads; };
        host.releaseFrames = [this] { ++releases; };
        playback.SetHost(std::move(host));
        dlg = std::make_unique<CMovieDlg>(settings);
        dlg->SetPlayback(&playback);
    }
    // rows entries named f00 .. f<rows-1>, listed in path order.
    void FillRows(int rows) {
        dlg->m_listDlg.m_entries.clear();
        for (int i = rows - 1; i >= 0; --i) {
            const std::string name = (i < 10 ? "/c/f0" : "/c/f") + std::to_string(i);
            dlg->m_listDlg.m_entries.push_back({"time " + std::to_string(i), name});
        }
        dlg->m_listDlg.RefreshList();
    }
    void Select(const std::vector<int>& rows) {
        for (const int row : rows) {
            dlg->m_listDlg.ListBox().item(row)->setSelected(true);
        }
    }
    QCheckBox& Box(int count) {
        return count == 24 ? dlg->m_check24 : count == 48 ? dlg->m_check48 : dlg->m_check72;
    }
    void Step() { clock->Advance(playback.Interval()); }
};

void WriteProduct(const std::string& path, int channel, int hour) {
    AwxWriterOptions options;
    options.width = 16;
    options.height = 8;
    options.calibration = false;
    options.channel = channel;
    options.hour = hour;
    QVERIFY(WriteAwxProduct(path, options));
}

}  // namespace

class TestAnimationMovieDlg : public QObject {
    Q_OBJECT

private slots:
    void boxesSelectTheLastRows_data();
    void boxesSelectTheLastRows();
    void startWithoutSelectionDoesNothing();
    void startAndStopSetCaptionsReadoutsAndSlider();
    void pauseEnablesSingleStepsAndTheSlider();
    void intervalRefusalsKeepTheLastAcceptedValue_data();
    void intervalRefusalsKeepTheLastAcceptedValue();
    void intervalIsTakenWhenTheEditLosesTheFocus();
    void channelChangeWhilePlayingKeepsTheOldFrames();
    void resizeStretchesTheTabsAndPlacesTheList();
    void autoUpdateRollsTheLatestLoopOn();
};

void TestAnimationMovieDlg::boxesSelectTheLastRows_data() {
    QTest::addColumn<QList<int>>("clicks");
    QTest::addColumn<int>("firstSelected");
    QTest::addColumn<int>("selected");
    QTest::addColumn<QList<int>>("flags");  // m_b24, m_b48, m_b72
    QTest::newRow("24 on") << QList<int>{24} << 6 << 24 << QList<int>{1, 0, 0};
    QTest::newRow("24 again clears") << QList<int>{24, 24} << -1 << 0 << QList<int>{0, 0, 0};
    QTest::newRow("48 takes all, clears 24")
        << QList<int>{24, 48} << 0 << 30 << QList<int>{0, 1, 0};
    QTest::newRow("72 on fewer rows") << QList<int>{72} << 0 << 30 << QList<int>{0, 0, 1};
    QTest::newRow("24 after 72") << QList<int>{72, 24} << 6 << 24 << QList<int>{1, 0, 0};
}

void TestAnimationMovieDlg::boxesSelectTheLastRows() {
    QFETCH(QList<int>, clicks);
    QFETCH(int, firstSelected);
    QFETCH(int, selected);
    QFETCH(QList<int>, flags);
    Pane pane;
    pane.FillRows(30);
    pane.Select({0, 1});  // chosen by hand, dropped by every box click
    for (const int count : clicks) {
        pane.Box(count).click();
    }
    const std::vector<int> rows = pane.dlg->m_listDlg.SelectedRows();
    QCOMPARE(static_cast<int>(rows.size()), selected);
    QCOMPARE(rows.empty() ? -1 : rows.front(), firstSelected);
    QCOMPARE((QList<int>{pane.dlg->m_b24, pane.dlg->m_b48, pane.dlg->m_b72}), flags);
    QCOMPARE((QList<int>{pane.dlg->m_check24.isChecked(), pane.dlg->m_check48.isChecked(),
                         pane.dlg->m_check72.isChecked()}),
             flags);
}

void TestAnimationMovieDlg::startWithoutSelectionDoesNothing() {
    Pane pane;
    pane.FillRows(3);
    pane.dlg->m_animate.click();
    QCOMPARE(int(pane.playback.m_bAnimating), 0);
    QCOMPARE(pane.dlg->m_nFrames, 0);
    QCOMPARE(pane.loads, 0);
    QVERIFY(!pane.clock->IsActive());
    QCOMPARE(pane.dlg->m_animate.text(), QStringLiteral("动  画"));
    QVERIFY(!pane.dlg->m_pause.isEnabled());
}

void TestAnimationMovieDlg::startAndStopSetCaptionsReadoutsAndSlider() {
    Pane pane;
    pane.FillRows(5);
    pane.Select({3, 1, 4});
    pane.dlg->m_animate.click();
    QCOMPARE(pane.loads, 1);
    QCOMPARE(pane.dlg->m_nFrames, 3);
    QCOMPARE(pane.dlg->m_frames[0].path, std::string("/c/f01"));  // row order
    QCOMPARE(pane.dlg->m_animate.text(), QStringLiteral("结  束"));
    QVERIFY(pane.dlg->m_pause.isEnabled());
    QVERIFY(!pane.dlg->m_prev.isEnabled());
    QCOMPARE(pane.dlg->m_slider.maximum(), 2);

    pane.Step();
    pane.Step();
    QCOMPARE(pane.dlg->m_counter.text(), QStringLiteral("2/3"));
    QCOMPARE(pane.dlg->m_time.text(), QStringLiteral("time 3 (UTC)"));
    QCOMPARE(pane.dlg->m_slider.value(), 1);

    pane.dlg->m_pause.click();
    pane.dlg->m_animate.click();
    QCOMPARE(pane.releases, 1);
    QCOMPARE(pane.dlg->m_animate.text(), QStringLiteral("动  画"));
    QCOMPARE(pane.dlg->m_pause.text(), QStringLiteral("暂  停"));
    QVERIFY(!pane.dlg->m_pause.isEnabled());
    QVERIFY(!pane.dlg->m_prev.isEnabled());
    QVERIFY(!pane.dlg->m_next.isEnabled());
    QVERIFY(pane.dlg->m_counter.text().isEmpty());
    QVERIFY(pane.dlg->m_time.text().isEmpty());
    QCOMPARE(pane.dlg->m_slider.maximum(), 0);
    QCOMPARE(pane.dlg->m_slider.value(), 0);

    pane.dlg->m_animate.click();
    pane.Step();
    QCOMPARE(pane.dlg->m_counter.text(), QStringLiteral("1/3"));
    QCOMPARE(pane.dlg->m_time.text(), QStringLiteral("time 1 (UTC)"));
}

void TestAnimationMovieDlg::pauseEnablesSingleStepsAndTheSlider() {
    Pane pane;
    pane.FillRows(5);
    pane.Select({0, 1, 2, 3, 4});
    pane.dlg->m_animate.click();
    pane.Step();
    // While playing a slider move is ignored.
    pane.dlg->m_slider.setValue(3);
    QCOMPARE(pane.playback.m_nFrame, 1);

    pane.dlg->m_pause.click();
    QCOMPARE(pane.dlg->m_pause.text(), QStringLiteral("继  续"));
    QVERIFY(pane.dlg->m_prev.isEnabled() && pane.dlg->m_next.isEnabled());
    pane.dlg->m_prev.click();
    pane.Step();
    QCOMPARE(pane.dlg->m_counter.text(), QStringLiteral("5/5"));
    pane.dlg->m_next.click();
    pane.Step();
    QCOMPARE(pane.dlg->m_counter.text(), QStringLiteral("1/5"));
    pane.dlg->m_slider.setValue(2);
    pane.Step();
    QCOMPARE(pane.dlg->m_counter.text(), QStringLiteral("3/5"));
    QCOMPARE(pane.dlg->m_slider.value(), 2);

    pane.dlg->m_pause.click();
    QCOMPARE(pane.dlg->m_pause.text(), QStringLiteral("暂  停"));
    QVERIFY(!pane.dlg->m_prev.isEnabled() && !pane.dlg->m_next.isEnabled());
    QVERIFY(pane.clock->IsActive());
}

void TestAnimationMovieDlg::intervalRefusalsKeepTheLastAcceptedValue_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    const QString range = QStringLiteral("请填入一个在5和10000之间的整数。");
    QTest::newRow("not a number") << "abc" << QStringLiteral("请键入一个整数。");
    QTest::newRow("empty") << "" << QStringLiteral("请键入一个整数。");
    QTest::newRow("below") << "4" << range;
    QTest::newRow("above") << "10001" << range;
}

void TestAnimationMovieDlg::intervalRefusalsKeepTheLastAcceptedValue() {
    QFETCH(QString, text);
    QFETCH(QString, message);
    CMessageRecorder recorder;
    const CScopedMessageSink sink(&recorder);
    Pane pane;
    QCOMPARE(pane.dlg->m_interval.text(), QStringLiteral("200"));
    pane.dlg->m_interval.setText("300");
    pane.dlg->OnIntervalKillFocus();
    QCOMPARE(pane.dlg->m_nInterval, 300);
    QVERIFY(recorder.Messages().empty());

    pane.dlg->m_interval.setText(text);
    pane.dlg->OnIntervalKillFocus();
    QCOMPARE(recorder.Messages(), std::vector<std::string>{message.toStdString()});
    QCOMPARE(pane.dlg->m_nInterval, 300);

    // Starting takes the values too: refused again, played at 300.
    pane.FillRows(2);
    pane.Select({0});
    pane.dlg->m_animate.click();
    QCOMPARE(recorder.Messages().size(), std::size_t(2));
    QCOMPARE(int(pane.playback.m_bAnimating), 1);
    QCOMPARE(pane.clock->LastInterval(), 300);
}

void TestAnimationMovieDlg::intervalIsTakenWhenTheEditLosesTheFocus() {
    CMessageRecorder recorder;
    const CScopedMessageSink sink(&recorder);
    Pane pane;
    pane.dlg->show();
    pane.dlg->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(pane.dlg.get()));
    pane.dlg->m_interval.setFocus(Qt::MouseFocusReason);
    pane.dlg->m_interval.setText("750");
    pane.dlg->m_check24.setFocus(Qt::TabFocusReason);
    QCOMPARE(pane.dlg->m_nInterval, 750);
    QCOMPARE(pane.playback.Interval(), 750);

    pane.dlg->m_interval.setFocus(Qt::MouseFocusReason);
    pane.dlg->m_interval.setText("3");
    pane.dlg->m_check24.setFocus(Qt::TabFocusReason);
    QCOMPARE(recorder.Messages().size(), std::size_t(1));
    QCOMPARE(pane.dlg->m_nInterval, 750);
    QVERIFY(pane.dlg->m_interval.hasFocus());
}

void TestAnimationMovieDlg::channelChangeWhilePlayingKeepsTheOldFrames() {
    Pane pane;
    WriteProduct(pane.folder.File("FY2G_LCN_IR1_202203310100.AWX"), 1, 1);
    WriteProduct(pane.folder.File("FY2G_LCN_IR1_202203310000.AWX"), 1, 0);
    WriteProduct(pane.folder.File("FY2G_LCN_IR2_202203310000.AWX"), 2, 0);
    WriteProduct(pane.folder.File("FY2G_MSS_IR1_202203310000.AWX"), 1, 0);
    pane.dlg->OnSelChangeChannelTab(0);
    QCOMPARE(pane.dlg->m_listDlg.ListBox().count(), 2);
    QCOMPARE(pane.dlg->m_listDlg.m_entries[0].timeText, std::string("2022年03月31日 00:00"));

    pane.dlg->m_check24.click();
    pane.dlg->m_animate.click();
    pane.Step();
    pane.dlg->m_tab.setCurrentIndex(1);
    QCOMPARE(int(pane.dlg->m_listDlg.m_nChannel), 2);
    QCOMPARE(pane.dlg->m_listDlg.ListBox().count(), 1);
    QCOMPARE(pane.dlg->m_b24, 0);
    QVERIFY(!pane.dlg->m_check24.isChecked());

    QCOMPARE(int(pane.playback.m_bAnimating), 1);
    pane.Step();
    QCOMPARE(pane.dlg->m_counter.text(), QStringLiteral("2/2"));
    QCOMPARE(pane.dlg->m_time.text(), QStringLiteral("2022年03月31日 01:00 (UTC)"));
    QCOMPARE(pane.playback.Frames().size(), std::size_t(2));
}

void TestAnimationMovieDlg::resizeStretchesTheTabsAndPlacesTheList() {
    Pane pane;
    CMovieDlg& dlg = *pane.dlg;
    dlg.show();  // a hidden pane gets its resize events only when shown
    const QRect before = dlg.m_tab.geometry();
    const int rightMargin = dlg.width() - before.right();
    dlg.resize(dlg.width() + 100, dlg.height() + 60);
    const QRect after = dlg.m_tab.geometry();
    QCOMPARE(after.topLeft(), before.topLeft());
    QCOMPARE(dlg.width() - after.right(), rightMargin);
    QCOMPARE(after.bottom(), dlg.height() - 1);
    const QRect list = dlg.m_listDlg.geometry();
    QCOMPARE(list.left(), 5);
    QCOMPARE(list.top(), after.top() + 1);
    QCOMPARE(list.width(), after.width());
    QVERIFY(list.bottom() < after.bottom() - dlg.m_tab.tabBar()->sizeHint().height());
}

// With "自动更新" ticked, a product renamed into the folder joins the running
// loop of the latest 24 at its end and the oldest frame leaves; the box keeps
// choosing the latest rows.
void TestAnimationMovieDlg::autoUpdateRollsTheLatestLoopOn() {
    Pane pane;
    std::vector<std::pair<std::string, bool>> added;
    CAnimationHost host;
    host.addFrame = [&added](const std::string& path, bool dropFirst) {
        added.emplace_back(path, dropFirst);
    };
    pane.playback.SetHost(std::move(host));
    const auto name = [&pane](int index) {
        char text[64];
        std::snprintf(text, sizeof text, "FY2G_LCN_IR1_%04d.AWX", index);
        return pane.folder.File(text);
    };
    for (int i = 0; i < 25; ++i) {
        WriteProduct(name(i), 1, i % 24);
    }
    pane.dlg->OnSelChangeChannelTab(0);
    pane.dlg->m_autoUpdate.click();
    pane.dlg->m_check24.click();
    pane.dlg->m_animate.click();
    QCOMPARE(pane.playback.FrameCount(), 24);
    QCOMPARE(pane.playback.Frames().front().path, name(1));

    WriteProduct(pane.folder.File("incoming.tmp"), 1, 1);
    std::filesystem::rename(pane.folder.File("incoming.tmp"), name(25));
    QTRY_COMPARE_WITH_TIMEOUT(pane.playback.Frames().back().path, name(25), 5000);
    QCOMPARE(pane.playback.FrameCount(), 24);
    QCOMPARE(pane.playback.Frames().front().path, name(2));
    QCOMPARE(added, (std::vector<std::pair<std::string, bool>>{{name(25), true}}));
    const std::vector<int> rows = pane.dlg->m_listDlg.SelectedRows();
    QCOMPARE(static_cast<int>(rows.size()), 24);
    QCOMPARE(rows.front(), 2);
}

QTEST_MAIN(TestAnimationMovieDlg)
#include "test_animation_movie_dlg.moc"
