// The desktop view: the read-out of every layer per mouse event, opening the real sample (product
// read, image load and the composition with map, grid and title), repainting a full-HD viewport at
// several zooms, and commands from the command to the repainted picture against the operation
// alone: image commands (brightness, median), a palette change (against the image written through
// the new palette into the picture) and the grid switch (against drawing the grid).

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "app/CKelvraApp.h"
#include "app/CMainFrame.h"
#include "platform/Settings.h"
#include "render/CQtCanvas.h"
#include "render/DibQImage.h"
#include "synth/AwxWriter.h"
#include "ui/CommandIds.h"
#include "view/CKelvraView.h"

namespace {

const std::string kSample =
    std::string(KELVRA_SHARED_DIR) + "/samples/ANI_IR1_R04_20220331_2100_FY2G.AWX";

// One application for every benchmark: its frame shown offscreen with a
// 1920 x 1080 view.
struct Desk {
    CMemorySettings settings;
    std::unique_ptr<CKelvraApp> app;

    Desk() {
        app = std::make_unique<CKelvraApp>(settings, false);
        app->InitInstance("");
        app->Document().Providers().askPercent = [](const std::string&, const std::string&) {
            return std::optional<int>(95);
        };
        CMainFrame& frame = app->MainFrame();
        frame.show();
        CKelvraView& view = frame.View();
        frame.resize(frame.size() + QSize(1920, 1080) - view.viewport()->size());
        QApplication::processEvents();
    }
    CKelvraView& View() { return app->MainFrame().View(); }
};

// Made and destroyed by main, inside the application's lifetime.
Desk*& DeskSlot() {
    static Desk* desk = nullptr;
    return desk;
}

Desk& SharedDesk() {
    return *DeskSlot();
}

void RepaintNow(CKelvraView& view) {
    view.viewport()->repaint();
}

void BM_OpenSample(benchmark::State& state) {
    if (!std::filesystem::exists(kSample)) {
        state.SkipWithError("real sample missing");
        return;
    }
    Desk& desk = SharedDesk();
    for (auto _ : state) {
        benchmark::DoNotOptimize(desk.app->OpenDocumentFile(kSample));
    }
}
BENCHMARK(BM_OpenSample)->Unit(benchmark::kMillisecond);

void BM_Repaint(benchmark::State& state) {
    Desk& desk = SharedDesk();
    static const std::string product = [] {
        const std::string path =
            (std::filesystem::temp_directory_path() / "kelvra-bench-2048.awx").string();
        AwxWriterOptions options;
        options.width = 2048;
        options.height = 2048;
        WriteAwxProduct(path, options);
        return path;
    }();
    desk.app->OpenDocumentFile(product);
    CKelvraView& view = desk.View();
    desk.app->MainFrame().Router().Execute(static_cast<int>(state.range(0)));
    view.horizontalScrollBar()->setValue(view.horizontalScrollBar()->maximum() / 2);
    view.verticalScrollBar()->setValue(view.verticalScrollBar()->maximum() / 2);
    QApplication::processEvents();
    for (auto _ : state) {
        RepaintNow(view);
    }
    state.SetLabel(std::to_string(view.TotalSize().width()) + "x" +
                   std::to_string(view.TotalSize().height()));
    desk.app->MainFrame().Router().Execute(kIdActualSize);
}
BENCHMARK(BM_Repaint)
    ->Arg(32840)  // 1:16
    ->Arg(32772)  // 1:1
    ->Arg(32813)  // 4:1
    ->Arg(32825)  // 16:1
    ->Unit(benchmark::kMillisecond);

bool OpenSampleAtActualSize(Desk& desk) {
    if (!std::filesystem::exists(kSample) || !desk.app->OpenDocumentFile(kSample)) {
        return false;
    }
    desk.app->MainFrame().Router().Execute(kIdActualSize);
    QApplication::processEvents();
    return true;
}

// The operation alone on the document's image.
void BM_Operation(benchmark::State& state) {
    Desk& desk = SharedDesk();
    if (!OpenSampleAtActualSize(desk)) {
        state.SkipWithError("real sample missing");
        return;
    }
    CDibImage& image = desk.app->Document().Image();
    for (auto _ : state) {
        benchmark::DoNotOptimize(state.range(0) == kIdBrightness ? image.Brightness(95)
                                                                 : image.MedianSmooth());
    }
}
BENCHMARK(BM_Operation)->Arg(kIdBrightness)->Arg(kIdMedian)->Unit(benchmark::kMillisecond);

// The command: operation, composition and the repaint of the view.
void BM_Command(benchmark::State& state) {
    Desk& desk = SharedDesk();
    if (!OpenSampleAtActualSize(desk)) {
        state.SkipWithError("real sample missing");
        return;
    }
    for (auto _ : state) {
        desk.app->MainFrame().Router().Execute(static_cast<int>(state.range(0)));
        RepaintNow(desk.View());
    }
}
BENCHMARK(BM_Command)->Arg(kIdBrightness)->Arg(kIdMedian)->Unit(benchmark::kMillisecond);

constexpr int kIdColour1 = kIdPaletteFirst + 4;
constexpr int kIdColour2 = kIdPaletteFirst + 5;

// Two cloud palettes in turn, then the grid switched off and on: each
// command composes, and the view paints what it asked to repaint.
void BM_DisplayCommand(benchmark::State& state) {
    Desk& desk = SharedDesk();
    if (!OpenSampleAtActualSize(desk)) {
        state.SkipWithError("real sample missing");
        return;
    }
    const int id = static_cast<int>(state.range(0));
    int turn = 0;
    for (auto _ : state) {
        const int command = id == kIdGrid ? kIdGrid : (turn ^= 1) ? kIdColour1 : kIdColour2;
        desk.app->MainFrame().Router().Execute(command);
        QApplication::processEvents();
    }
}
BENCHMARK(BM_DisplayCommand)->Arg(kIdColour1)->Arg(kIdGrid)->Unit(benchmark::kMillisecond);

// What a palette change must do at least: the palette file (kept by the
// cache) into the colour table and the image through it into the picture.
void BM_PaletteOperation(benchmark::State& state) {
    Desk& desk = SharedDesk();
    if (!OpenSampleAtActualSize(desk)) {
        state.SkipWithError("real sample missing");
        return;
    }
    CDibImage& image = desk.app->Document().Image();
    const CDataPaths paths(KELVRA_SOURCE_DIR);
    const std::string palettes[2] = {paths.DataFile("color1.lut"), paths.DataFile("color2.lut")};
    QImage picture(image.Width(), image.Height(), QImage::Format_RGB32);
    int turn = 0;
    for (auto _ : state) {
        image.ApplyPaletteFile(palettes[turn ^= 1], 1, &paths.Cache());
        benchmark::DoNotOptimize(ToDeviceBitmap(image, picture));
    }
}
BENCHMARK(BM_PaletteOperation)->Unit(benchmark::kMillisecond);

// What switching the grid must do at least: draw it.
void BM_GridOperation(benchmark::State& state) {
    Desk& desk = SharedDesk();
    if (!OpenSampleAtActualSize(desk)) {
        state.SkipWithError("real sample missing");
        return;
    }
    QImage picture = ToDeviceBitmap(desk.app->Document().Image());
    QPainter painter(&picture);
    for (auto _ : state) {
        CQtCanvas canvas(painter);
        desk.app->Document().Product().DrawGrid(canvas);
    }
}
BENCHMARK(BM_GridOperation)->Unit(benchmark::kMillisecond);

// A 500 hPa height field over the sample, 1° apart (50-150°E, 10°S-65°N), as
// a diamond file; the field's name is "500hPa高度" in GBK.
std::string WriteHeightField() {
    const std::string path =
        (std::filesystem::temp_directory_path() / "kelvra-bench-height.000").string();
    // The description in GBK, "22年03月31日08时500hPa高度", split where a hex
    // escape would run on into a digit.
    std::string text = std::string("diamond 4 22\xC4\xEA") + "03\xD4\xC2" + "31\xC8\xD5" +
                       "08\xCA\xB1" + "500hPa\xB8\xDF\xB6\xC8" +
                       " 22 3 31 8 0 500\n1 -1 50 150 65 -10 101 76 4 5000 6000 1 0\n";
    for (int r = 0; r < 76; ++r) {
        for (int c = 0; c < 101; ++c) {
            text += std::to_string(5500 + 4 * c - 3 * r) + (c == 100 ? "\n" : " ");
        }
    }
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file != nullptr) {
        std::fwrite(text.data(), 1, text.size(), file);
        std::fclose(file);
    }
    return path;
}

// One mouse move over the sample at 1:1 with an NWP overlay and the cells
// shown: the read-out of every layer under the cursor, into the status bar.
void BM_ReadoutPerMouseEvent(benchmark::State& state) {
    Desk& desk = SharedDesk();
    if (!OpenSampleAtActualSize(desk)) {
        state.SkipWithError("real sample missing");
        return;
    }
    CKelvraView& view = desk.View();
    view.Job().Overlays().clear();
    view.AddNwpOverlays({WriteHeightField()});
    if (!view.Job().Layers().m_bCells) {
        desk.app->MainFrame().Router().Execute(kIdShowCells);
    }
    QApplication::processEvents();
    QWidget* viewport = view.viewport();
    const int composed = view.ComposeCount();
    int step = 0;
    for (auto _ : state) {
        // A fast mouse: a new place every event, across the viewport.
        const QPointF at((step * 37) % viewport->width(), (step * 23) % viewport->height());
        ++step;
        QMouseEvent move(QEvent::MouseMove, at, viewport->mapToGlobal(at), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(viewport, &move);
    }
    if (view.ComposeCount() != composed) {
        state.SkipWithError("the mouse recomposed the picture");
    }
    state.SetLabel(desk.app->MainFrame().IdleText().toStdString());
    desk.app->MainFrame().Router().Execute(kIdShowCells);
    view.Job().Overlays().clear();
}
BENCHMARK(BM_ReadoutPerMouseEvent)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    // The data folder is found under the start-up directory, as at start-up.
    std::filesystem::current_path(KELVRA_SOURCE_DIR);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    auto desk = std::make_unique<Desk>();
    DeskSlot() = desk.get();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    DeskSlot() = nullptr;
    return 0;
}
