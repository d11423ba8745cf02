// Listing a catalogue folder of 2000 small products of which 400 carry the
// product code and the channel: from the product command to the refilled
// entries, through the core listing and, when the user interface is built,
// through the file browser widget.

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "BenchCatalogue.h"
#include "browse/CProductSelector.h"
#include "browse/CatalogueFolder.h"
#include "browse/CatalogueListing.h"
#include "platform/Settings.h"
#include "synth/AwxWriter.h"

#ifdef KELVRA_HAVE_UI
#include <QApplication>

#include "dialogs/CBrowserDlg.h"
#endif

namespace {

namespace fs = std::filesystem;

// Written once per run and removed at exit.
class CBenchCatalogue {
public:
    CBenchCatalogue() : m_dir("bench_listing") {
        if (!m_dir.Path().empty()) {
            WriteBenchCatalogue(m_dir.Path());
        }
    }
    const std::string& Folder() const { return m_dir.Path(); }

private:
    CBenchTempDir m_dir;
};

const CBenchCatalogue& Catalogue() {
    static const CBenchCatalogue catalogue;
    return catalogue;
}

void BM_ProductCommandCoreListing(benchmark::State& state) {
    CMemorySettings settings;
    WriteCatalogueFolder(settings, Catalogue().Folder());
    CProductSelector selector(settings);
    int product = 0;
    std::vector<FileEntry> entries;
    selector.SetBrowser({[&] { return product; }, [&](int k) { product = k; },
                         [&](const std::string& folder, const std::string& code) {
                             entries = ListFileEntries(folder, code, 1);
                         }});
    for (auto _ : state) {
        selector.OnSelectProductCommand(kSelectProductFirstId);
        benchmark::DoNotOptimize(entries.data());
    }
    if (entries.size() != static_cast<std::size_t>(kBenchMatchingCount)) {
        state.SkipWithError("unexpected number of entries");
    }
}
BENCHMARK(BM_ProductCommandCoreListing)->Unit(benchmark::kMillisecond);

void BM_FrameListing(benchmark::State& state) {
    std::vector<FrameEntry> frames;
    for (auto _ : state) {
        frames = ListFrameEntries(Catalogue().Folder(), "LCN", 1);
        benchmark::DoNotOptimize(frames.data());
    }
    if (frames.size() != static_cast<std::size_t>(kBenchMatchingCount)) {
        state.SkipWithError("unexpected number of frames");
    }
}
BENCHMARK(BM_FrameListing)->Unit(benchmark::kMillisecond);

#ifdef KELVRA_HAVE_UI
void BM_ProductCommandBrowserWidget(benchmark::State& state) {
    CMemorySettings settings;
    WriteCatalogueFolder(settings, Catalogue().Folder());
    CProductSelector selector(settings);
    CBrowserDlg browser;
    selector.SetBrowser(browser.Hooks());
    for (auto _ : state) {
        selector.OnSelectProductCommand(kSelectProductFirstId);
        benchmark::DoNotOptimize(browser.List().model()->rowCount());
    }
    if (browser.List().model()->rowCount() != kBenchMatchingCount) {
        state.SkipWithError("unexpected number of rows");
    }
}
BENCHMARK(BM_ProductCommandBrowserWidget)->Unit(benchmark::kMillisecond);
#endif

}  // namespace

#ifdef KELVRA_HAVE_UI
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
#else
BENCHMARK_MAIN();
#endif
