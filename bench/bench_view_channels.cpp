// Channels together on a synthetic 1900 x 1300 observation of five channels:
// one channel opened and composed with map, grid and title (product read,
// image load, composition) against an RGB composite of three channels
// (the three read, mapped and composed the same way); and in the desktop
// view, switching between two recipes from the command to the repainted
// picture (the channels were read by the first switch and are kept).

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <filesystem>
#include <memory>
#include <string>

#include "app/CKelvraApp.h"
#include "app/CMainFrame.h"
#include "channels/CChannelCombiner.h"
#include "channels/RgbRecipeList.h"
#include "compose/CPictureJob.h"
#include "image/OpenImageFile.h"
#include "platform/Settings.h"
#include "render/CQtPicture.h"
#include "synth/AwxWriter.h"
#include "ui/CommandIds.h"
#include "view/CKelvraView.h"

namespace {

constexpr int kWidth = 1900;
constexpr int kHeight = 1300;

// The five channels of 13:00 in a folder of their own; the infrared-1 path.
const std::string& Observation() {
    static const std::string path = [] {
        const std::filesystem::path folder =
            std::filesystem::temp_directory_path() / "kelvra-bench-channels";
        std::filesystem::create_directories(folder);
        const char* names[] = {"", "IR1", "IR2", "WV", "IR3", "VIS"};
        for (int channel = 1; channel <= 5; ++channel) {
            AwxWriterOptions options;
            options.width = kWidth;
            options.height = kHeight;
            options.channel = channel;
            WriteAwxProduct(
                (folder / (std::string("FY2G_LCN_") + names[channel] + "_202203311300.AWX"))
                    .string(),
                options);
        }
        return (folder / "FY2G_LCN_IR1_202203311300.AWX").string();
    }();
    return path;
}

void BM_OneChannel(benchmark::State& state) {
    CPictureJob job{CDataPaths(KELVRA_SOURCE_DIR)};
    QImage offscreen;
    for (auto _ : state) {
        CGeoImage product;
        CDibImage image;
        OpenImageFile(Observation(), product, image);
        PictureSubject subject(product);
        subject.path = Observation();
        CQtPicture picture(offscreen);
        int recompose = 1;
        benchmark::DoNotOptimize(job.Compose(image, subject, recompose, picture));
    }
}
BENCHMARK(BM_OneChannel)->Unit(benchmark::kMillisecond);

void BM_Composite(benchmark::State& state) {
    const CDataPaths paths(KELVRA_SOURCE_DIR);
    CPictureJob job{CDataPaths(KELVRA_SOURCE_DIR)};
    Combination combination;
    std::string problem;
    if (!ResolveRgbRecipe("night-fog", RgbRecipeFolders(paths), combination.recipe, problem)) {
        state.SkipWithError(problem.c_str());
        return;
    }
    QImage offscreen;
    for (auto _ : state) {
        CChannelCombiner combiner;
        CDibImage image;
        CombinedPicture combined;
        combiner.Make(combination, Observation(), {}, image, combined, problem);
        PictureSubject subject(*combiner.Subject());
        subject.path = combiner.SubjectPath();
        subject.combined = &combined;
        CQtPicture picture(offscreen);
        int recompose = 1;
        benchmark::DoNotOptimize(job.Compose(image, subject, recompose, picture));
    }
}
BENCHMARK(BM_Composite)->Unit(benchmark::kMillisecond);

struct Desk {
    CMemorySettings settings;
    std::unique_ptr<CKelvraApp> app;

    Desk() {
        app = std::make_unique<CKelvraApp>(settings, false);
        app->InitInstance("");
        CMainFrame& frame = app->MainFrame();
        frame.show();
        CKelvraView& view = frame.View();
        frame.resize(frame.size() + QSize(1920, 1080) - view.viewport()->size());
        QApplication::processEvents();
    }
};

Desk*& DeskSlot() {
    static Desk* desk = nullptr;
    return desk;
}

// The recipes' slots in key order: convection, day-natural, night-fog.
void BM_SwitchRecipe(benchmark::State& state) {
    Desk& desk = *DeskSlot();
    desk.app->OpenDocumentFile(Observation());
    CCommandRouter& router = desk.app->MainFrame().Router();
    router.Execute(kIdActualSize);
    const int recipes[2] = {kIdRgbRecipeFirst, kIdRgbRecipeFirst + 2};
    router.Execute(recipes[0]);
    router.Execute(recipes[1]);
    QApplication::processEvents();
    int turn = 0;
    for (auto _ : state) {
        router.Execute(recipes[turn ^= 1]);
        desk.app->MainFrame().View().viewport()->repaint();
    }
    state.SetLabel(desk.app->MainFrame().View().CombinationShown() != 0 ? "composite"
                                                                        : "not shown");
}
BENCHMARK(BM_SwitchRecipe)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    // The data folder (with its recipes) is found under the start-up directory.
    std::filesystem::current_path(KELVRA_SOURCE_DIR);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    Observation();
    auto desk = std::make_unique<Desk>();
    DeskSlot() = desk.get();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    DeskSlot() = nullptr;
    return 0;
}
