// The playback of the view on a fake clock: the chain of single shots, the
// wrap of the frame index, pause and single steps, stop and restart, and
// frames of unreadable files staying index-aligned in the document.

#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "browse/CAnimationPlayback.h"
#include "support/TestSupport.h"
#include "synth/AwxWriter.h"
#include "ui/support/FakeAnimationTimer.h"
#include "view/CKelvraDoc.h"
#include "view/DocumentAnimationHost.h"

namespace {

std::vector<FrameEntry> Frames(int count) {
    std::vector<FrameEntry> frames;
    for (int i = 0; i < count; ++i) {
        frames.push_back({"time " + std::to_string(i), "/frames/f" + std::to_string(i) + ".AWX"});
    }
    return frames;
}

// A playback on a fake clock that records what the host is asked to do.
struct Rig {
    CFakeAnimationTimer* clock = new CFakeAnimationTimer;
    CAnimationPlayback playback{std::unique_ptr<CAnimationTimer>(clock)};
    std::vector<std::string> calls;
    std::vector<int> shown;
    std::string counter;
    std::string timeText;
    int position = -1;

    Rig() {
        CAnimationHost host;
        host.resetDisplayMode = [this] { calls.push_back("mode 0"); };
        host.loadFrames = [this](const std::vector<std::string>& paths) {
            calls.push_back("load " + std::to_string(paths.size()));
        };
        host.makeFrameCurrent = [this](int index) {
            calls.push_back("show " + std::to_string(index));
            shown.push_back(index);
        };
        host.releaseFrames = [this] { calls.push_back("release"); };
        playback.SetHost(std::move(host));
        playback.SetReadoutHook([this](const std::string& c, int p, const std::string& t) {
            counter = c;
            position = p;
            timeText = t;
        });
    }
    void Step() { clock->Advance(playback.Interval()); }
};

void WriteProduct(const std::string& path, int width, int hour) {
    AwxWriterOptions options;
    options.width = width;
    options.height = 16;
    options.calibration = false;
    options.hour = hour;
    QVERIFY(WriteAwxProduct(path, options));
}

}  // namespace

class TestAnimationPlayback : public QObject {
    Q_OBJECT

private slots:
    void startWithoutFramesChangesNothing();
    void loadsEveryFrameBeforeTheFirstStep();
    void oneFrameLoops();
    void stepsChainAndFollowTheInterval();
    void previousAndNextWhilePausedWrap();
    void stopResetsAndRestartBeginsAtTheFirstFrame();
    void unreadableFilesStayIndexAligned();
};

void TestAnimationPlayback::startWithoutFramesChangesNothing() {
    Rig rig;
    QVERIFY(!rig.playback.Start({}));
    QCOMPARE(int(rig.playback.m_bAnimating), 0);
    QVERIFY(!rig.clock->IsActive());
    QVERIFY(rig.calls.empty());
}

void TestAnimationPlayback::loadsEveryFrameBeforeTheFirstStep() {
    Rig rig;
    QVERIFY(rig.playback.Start(Frames(3)));
    QCOMPARE(int(rig.playback.m_bAnimating), 1);
    QCOMPARE(rig.calls, (std::vector<std::string>{"mode 0", "load 3"}));
    rig.Step();
    QCOMPARE(rig.calls.back(), std::string("show 0"));
}

void TestAnimationPlayback::oneFrameLoops() {
    Rig rig;
    rig.playback.Start(Frames(1));
    for (int i = 0; i < 3; ++i) {
        rig.Step();
        QCOMPARE(rig.counter, std::string("1/1"));
        QCOMPARE(rig.position, 0);
        QVERIFY(rig.clock->IsActive());
    }
    QCOMPARE(rig.shown, (std::vector<int>{0, 0, 0}));
}

void TestAnimationPlayback::stepsChainAndFollowTheInterval() {
    Rig rig;
    rig.playback.SetInterval(100);
    rig.playback.Start(Frames(3));
    // Less than one interval shows nothing; the shots never pile up.
    rig.clock->Advance(99);
    QVERIFY(rig.shown.empty());
    rig.clock->Advance(1 + 3 * 100);
    QCOMPARE(rig.shown, (std::vector<int>{0, 1, 2, 0}));
    QCOMPARE(rig.counter, std::string("1/3"));
    QCOMPARE(rig.timeText, std::string("time 0"));
    rig.playback.SetInterval(40);
    rig.clock->FireNext();
    QCOMPARE(rig.clock->LastInterval(), 40);
}

void TestAnimationPlayback::previousAndNextWhilePausedWrap() {
    Rig rig;
    rig.playback.Start(Frames(5));
    rig.Step();
    QCOMPARE(rig.counter, std::string("1/5"));
    QVERIFY(rig.playback.TogglePause());
    QVERIFY(!rig.clock->IsActive());
    rig.clock->Advance(10000);
    QCOMPARE(rig.shown.size(), std::size_t(1));

    rig.playback.PreviousFrame();
    rig.Step();
    QCOMPARE(rig.counter, std::string("5/5"));
    QCOMPARE(rig.position, 4);
    // Paused: the step does not arm the next one.
    QVERIFY(!rig.clock->IsActive());

    rig.playback.NextFrame();
    rig.Step();
    QCOMPARE(rig.counter, std::string("1/5"));
    QCOMPARE(rig.timeText, std::string("time 0"));

    QVERIFY(!rig.playback.TogglePause());
    QVERIFY(rig.clock->IsActive());
    rig.Step();
    QCOMPARE(rig.counter, std::string("2/5"));
}

void TestAnimationPlayback::stopResetsAndRestartBeginsAtTheFirstFrame() {
    Rig rig;
    rig.playback.Start(Frames(4));
    rig.Step();
    rig.Step();
    rig.playback.TogglePause();
    rig.playback.Stop();
    QCOMPARE(int(rig.playback.m_bAnimating), 0);
    QCOMPARE(int(rig.playback.m_bPaused), 0);
    QCOMPARE(rig.playback.m_nFrame, 0);
    QVERIFY(!rig.clock->IsActive());
    QCOMPARE(rig.calls.back(), std::string("release"));
    // A step that comes after the frames are gone shows nothing.
    rig.playback.ShowAnimationFrame();
    QCOMPARE(rig.calls.back(), std::string("release"));

    rig.shown.clear();
    rig.playback.Start(Frames(4));
    rig.Step();
    QCOMPARE(rig.shown, (std::vector<int>{0}));
    QCOMPARE(rig.counter, std::string("1/4"));
}

void TestAnimationPlayback::unreadableFilesStayIndexAligned() {
    CTempDir dir;
    WriteProduct(dir.File("a_LCN.AWX"), 32, 10);
    QVERIFY(WriteFileBytes(dir.File("bad_LCN.AWX"), {1, 2, 3}));
    WriteProduct(dir.File("c_LCN.AWX"), 40, 12);
    const std::vector<FrameEntry> frames = {{"t0", dir.File("a_LCN.AWX")},
                                            {"t1", dir.File("bad_LCN.AWX")},
                                            {"t2", dir.File("c_LCN.AWX")}};

    CKelvraDoc doc;
    Rig rig;
    int shows = 0;
    rig.playback.SetHost(MakeDocumentAnimationHost(
        doc, [&shows] { ++shows; }, nullptr));
    rig.playback.Start(frames);
    QCOMPARE(doc.FrameProducts().size(), std::size_t(3));
    QCOMPARE(doc.FrameImages().size(), std::size_t(3));

    struct Expected {
        const char* counter;
        int loaded;
        int width;
    };
    // The unreadable file keeps an unloaded product and the image before it.
    const Expected expected[] = {{"1/3", 1, 32}, {"2/3", 0, 32}, {"3/3", 1, 40}, {"1/3", 1, 32}};
    for (const Expected& e : expected) {
        rig.Step();
        QCOMPARE(rig.counter, std::string(e.counter));
        QCOMPARE(doc.Product().productLoaded, e.loaded);
        QCOMPARE(doc.Image().Width(), e.width);
        QVERIFY(doc.RecomposeRequested());
    }
    QCOMPARE(shows, 4);

    rig.Step();
    rig.playback.Stop();
    QVERIFY(doc.FrameProducts().empty());
    QVERIFY(doc.FrameImages().empty());
    // The document keeps the last frame shown.
    QCOMPARE(doc.Product().productLoaded, 0);
    QVERIFY(!doc.MakeFrameCurrent(0));
}

QTEST_MAIN(TestAnimationPlayback)
#include "test_animation_playback.moc"
