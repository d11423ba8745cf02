// The desktop application's own paths, in process and offscreen: a product
// command through the frame's command router over a catalogue folder of
// 2000 products (400 listed), and start-up (application objects, frame, the
// file named on the command line opened, the frame shown and the catalogue
// listed) until the view has painted its first picture.

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEvent>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "BenchCatalogue.h"
#include "app/CKelvraApp.h"
#include "app/CMainFrame.h"
#include "browse/CatalogueFolder.h"
#include "dialogs/CBandTabDlg.h"
#include "dialogs/CMovieDlg.h"
#include "platform/Message.h"
#include "platform/Settings.h"
#include "synth/AwxWriter.h"
#include "view/CKelvraView.h"

namespace {

namespace fs = std::filesystem;

// 400 LCN infrared-1 products, 400 LCN water-vapour ones and 1200 of other
// codes, plus one full-size product to open at start-up; removed at exit.
class CBenchCatalogue {
public:
    CBenchCatalogue() : m_dir("bench_startup") {
        if (m_dir.Path().empty()) {
            return;
        }
        m_folder = m_dir.Path() + "/catalogue";
        fs::create_directory(m_folder);
        WriteBenchCatalogue(m_folder);
        AwxWriterOptions full;
        full.width = 1900;
        full.height = 1300;
        m_product = m_dir.Path() + "/FY2G_LCN_IR1_202203311300.AWX";
        WriteAwxProduct(m_product, full);
    }
    const std::string& Folder() const { return m_folder; }
    const std::string& Product() const { return m_product; }

private:
    CBenchTempDir m_dir;
    std::string m_folder;
    std::string m_product;
};

const CBenchCatalogue& Catalogue() {
    static const CBenchCatalogue catalogue;
    return catalogue;
}

// Notes the first paint of a widget.
class CPaintWatch : public QObject {
public:
    bool painted = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            painted = true;
        }
        return QObject::eventFilter(watched, event);
    }
};

void BM_ProductCommandThroughFrame(benchmark::State& state) {
    CMessageRecorder quiet;
    const CScopedMessageSink sink(&quiet);
    CMemorySettings settings;
    WriteCatalogueFolder(settings, Catalogue().Folder());
    CKelvraApp app(settings, false);
    app.InitInstance("");
    CMainFrame& frame = app.MainFrame();
    for (auto _ : state) {
        frame.Router().Execute(6000);
        benchmark::DoNotOptimize(frame.BandTab().m_wndBrowser.List().model()->rowCount());
    }
    if (frame.BandTab().m_wndBrowser.List().model()->rowCount() != kBenchMatchingCount ||
        frame.Movie().m_listDlg.ListBox().count() != kBenchMatchingCount) {
        state.SkipWithError("unexpected number of rows");
    }
}
BENCHMARK(BM_ProductCommandThroughFrame)->Unit(benchmark::kMillisecond);

void BM_StartupToFirstPaint(benchmark::State& state) {
    CMessageRecorder quiet;
    const CScopedMessageSink sink(&quiet);
    // Started where the data folder is, so the map files are drawn too.
    QDir::setCurrent(QStringLiteral(KELVRA_SOURCE_DIR));
    Catalogue();  // written before the clock runs
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        CMemorySettings settings;
        WriteCatalogueFolder(settings, Catalogue().Folder());
        auto app = std::make_unique<CKelvraApp>(settings, false);
        if (!app->InitInstance(Catalogue().Product())) {
            state.SkipWithError("product not opened");
            break;
        }
        CMainFrame& frame = app->MainFrame();
        CPaintWatch watch;
        frame.View().viewport()->installEventFilter(&watch);
        frame.resize(1600, 1000);
        frame.show();
        QElapsedTimer guard;
        guard.start();
        while (!watch.painted && guard.elapsed() < 10000) {
            QCoreApplication::processEvents();
        }
        const auto end = std::chrono::steady_clock::now();
        state.SetIterationTime(std::chrono::duration<double>(end - start).count());
        if (!watch.painted ||
            frame.BandTab().m_wndBrowser.m_entries.size() != kBenchMatchingCount) {
            state.SkipWithError("no first paint or catalogue not listed");
            break;
        }
        frame.View().viewport()->removeEventFilter(&watch);
        app.reset();
    }
}
BENCHMARK(BM_StartupToFirstPaint)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
