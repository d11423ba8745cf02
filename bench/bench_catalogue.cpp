// The catalogue at operational scale (BenchCatalogue.h: 30000 products, five
// channels, 6000 times at 15 minutes): one channel listed on the first visit
// (no header kept yet) and after it, the latest 24/48/72 frames of a channel
// found from the newest name backwards, and, when the user interface is
// built, the file list showing the 6000 rows of a channel and sorted by a
// column, and a product command filling both lists.
//
// `bench_catalogue --write-catalogue DIR` only writes the folder into DIR
// (which must exist) and exits, for whole-process runs of
// `kelvra-cli list DIR --code LCN --channel IR1 [--latest 24]`.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "BenchCatalogue.h"
#include "browse/CCatalogue.h"

#ifdef KELVRA_HAVE_UI
#include <QApplication>

#include "browse/CProductSelector.h"
#include "browse/CatalogueFolder.h"
#include "dialogs/CBrowserDlg.h"
#include "dialogs/CMovieListDlg.h"
#include "platform/Settings.h"
#endif

namespace {

constexpr std::size_t kChannelRows = kScaleTimes;

class CScaleFolder {
public:
    CScaleFolder() : m_dir("bench_catalogue") {
        if (!m_dir.Path().empty() && !WriteScaleCatalogue(m_dir.Path())) {
            std::fprintf(stderr, "the catalogue could not be written\n");
        }
    }
    const std::string& Folder() const { return m_dir.Path(); }

private:
    CBenchTempDir m_dir;
};

const CScaleFolder& Scale() {
    static const CScaleFolder folder;
    return folder;
}

CatalogueQuery InfraredQuery() {
    return FolderQuery(Scale().Folder(), "LCN", 1);
}

// The names alone: one read of the folder, the name test, name order.
void BM_CandidateNames(benchmark::State& state) {
    std::size_t names = 0;
    for (auto _ : state) {
        names = ListCandidateFiles(Scale().Folder(), "LCN").size();
        benchmark::DoNotOptimize(names);
    }
    if (names != 5 * kChannelRows) {
        state.SkipWithError("unexpected number of names");
    }
}
BENCHMARK(BM_CandidateNames)->Unit(benchmark::kMillisecond);

void BM_ListChannelFirstVisit(benchmark::State& state) {
    std::size_t rows = 0;
    for (auto _ : state) {
        CCatalogue catalogue;
        rows = catalogue.List(InfraredQuery()).rows.size();
        benchmark::DoNotOptimize(rows);
    }
    if (rows != kChannelRows) {
        state.SkipWithError("unexpected number of rows");
    }
}
BENCHMARK(BM_ListChannelFirstVisit)->Unit(benchmark::kMillisecond);

void BM_ListChannelAfterFirstVisit(benchmark::State& state) {
    CCatalogue catalogue;
    catalogue.List(InfraredQuery());
    std::size_t rows = 0;
    for (auto _ : state) {
        rows = catalogue.List(InfraredQuery()).rows.size();
        benchmark::DoNotOptimize(rows);
    }
    if (rows != kChannelRows) {
        state.SkipWithError("unexpected number of rows");
    }
}
BENCHMARK(BM_ListChannelAfterFirstVisit)->Unit(benchmark::kMillisecond);

// No header kept: the newest names are looked at until enough frames of the
// channel are found.
void BM_LatestFramesFirstVisit(benchmark::State& state) {
    const auto count = static_cast<std::size_t>(state.range(0));
    std::vector<FrameEntry> frames;
    for (auto _ : state) {
        CCatalogue catalogue;
        frames = MakeFrameEntries(catalogue.ListLatest(InfraredQuery(), count).rows);
        benchmark::DoNotOptimize(frames.data());
    }
    if (frames.size() != count) {
        state.SkipWithError("unexpected number of frames");
    }
}
BENCHMARK(BM_LatestFramesFirstVisit)->Arg(24)->Arg(48)->Arg(72)->Unit(benchmark::kMillisecond);

#ifdef KELVRA_HAVE_UI
std::shared_ptr<CCatalogue> VisitedCatalogue() {
    auto catalogue = std::make_shared<CCatalogue>();
    catalogue->List(InfraredQuery());
    return catalogue;
}

// The file list shows the 6000 rows of a channel, headers kept.
void BM_FileListShowsChannel(benchmark::State& state) {
    CBrowserDlg browser;
    browser.SetCatalogue(VisitedCatalogue());
    for (auto _ : state) {
        browser.ListFiles(Scale().Folder(), "LCN");
        benchmark::DoNotOptimize(browser.List().model()->rowCount());
    }
    if (browser.List().model()->rowCount() != static_cast<int>(kChannelRows)) {
        state.SkipWithError("unexpected number of rows");
    }
}
BENCHMARK(BM_FileListShowsChannel)->Unit(benchmark::kMillisecond);

// The animation frame list shows the 6000 frames of a channel, headers kept.
void BM_FrameListShowsChannel(benchmark::State& state) {
    CMovieListDlg frames;
    frames.SetCatalogue(VisitedCatalogue());
    for (auto _ : state) {
        frames.ListFiles(Scale().Folder(), "LCN");
        benchmark::DoNotOptimize(frames.ListBox().count());
    }
    if (frames.ListBox().count() != static_cast<int>(kChannelRows)) {
        state.SkipWithError("unexpected number of rows");
    }
}
BENCHMARK(BM_FrameListShowsChannel)->Unit(benchmark::kMillisecond);

// A click on a column header of the shown list: every click sorts, the
// second reversing the first.
void BM_FileListSortByColumn(benchmark::State& state) {
    CBrowserDlg browser;
    browser.SetCatalogue(VisitedCatalogue());
    browser.resize(700, 400);
    browser.show();
    browser.ListFiles(Scale().Folder(), "LCN");
    QApplication::processEvents();
    for (auto _ : state) {
        browser.OnColumnClicked(static_cast<int>(state.range(0)));
        QApplication::processEvents();
    }
}
BENCHMARK(BM_FileListSortByColumn)
    ->ArgName("column")
    ->Arg(0)
    ->Arg(3)
    ->Arg(4)
    ->Unit(benchmark::kMillisecond);

// The product command after the first visit: the file list, then the
// animation frame list, through one catalogue.
void BM_ProductCommandBothLists(benchmark::State& state) {
    CMemorySettings settings;
    WriteCatalogueFolder(settings, Scale().Folder());
    CProductSelector selector(settings);
    CBrowserDlg browser;
    CMovieListDlg frames;
    const std::shared_ptr<CCatalogue> catalogue = VisitedCatalogue();
    browser.SetCatalogue(catalogue);
    frames.SetCatalogue(catalogue);
    selector.SetBrowser(browser.Hooks());
    selector.SetFrameList(frames.Hooks());
    for (auto _ : state) {
        selector.OnSelectProductCommand(kSelectProductFirstId);
        benchmark::DoNotOptimize(frames.ListBox().count());
    }
    if (frames.ListBox().count() != static_cast<int>(kChannelRows)) {
        state.SkipWithError("unexpected number of frames");
    }
}
BENCHMARK(BM_ProductCommandBothLists)->Unit(benchmark::kMillisecond);
#endif

// Writes the folder for whole-process runs; true when asked to.
bool WriteCatalogueOnly(int argc, char** argv, int& status) {
    if (argc != 3 || std::strcmp(argv[1], "--write-catalogue") != 0) {
        return false;
    }
    status = WriteScaleCatalogue(argv[2]) ? 0 : 1;
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    int status = 0;
    if (WriteCatalogueOnly(argc, argv, status)) {
        return status;
    }
#ifdef KELVRA_HAVE_UI
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
#endif
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
