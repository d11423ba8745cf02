// The animation on 1900 x 1300 products: one frame step as the view runs it
// (the frame's product and image copied into the document, composed with map
// lines, grid and title, the visible part repainted), and the loading of 72
// frames as the document does it, with the peak resident memory against
// 1.3 x the raw counts (72 x w x h bytes) plus the process's resident memory
// before loading: a frame holds its counts once, shared by its image and its
// product.

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <unistd.h>
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "render/CQtPicture.h"
#include "synth/AwxWriter.h"
#include "view/CKelvraDoc.h"
#include "view/CKelvraView.h"
#include "view/DocumentAnimationHost.h"

namespace {

constexpr int kWidth = 1900;
constexpr int kHeight = 1300;
constexpr int kFrames = 72;
constexpr int kDistinctFiles = 6;
constexpr double kBytesPerPixel = 1.0;
constexpr double kMemoryAllowance = 1.3;
constexpr double kMiB = 1024.0 * 1024.0;

// A few products of successive hours; the 72 frames cycle through them.
class CFrameFiles {
public:
    CFrameFiles() {
        m_folder = std::filesystem::temp_directory_path() /
                   ("kelvra-bench-animation-" + std::to_string(::getpid()));
        std::filesystem::create_directories(m_folder);
        for (int i = 0; i < kDistinctFiles; ++i) {
            AwxWriterOptions options;
            options.width = kWidth;
            options.height = kHeight;
            options.hour = i;
            const std::string path =
                (m_folder / ("FY2G_LCN_IR1_2022033100" + std::to_string(i) + ".AWX")).string();
            WriteAwxProduct(path, options);
            m_files.push_back(path);
        }
    }
    ~CFrameFiles() {
        std::error_code ec;
        std::filesystem::remove_all(m_folder, ec);
    }
    std::vector<std::string> Paths(int count) const {
        std::vector<std::string> paths;
        for (int i = 0; i < count; ++i) {
            paths.push_back(m_files[static_cast<std::size_t>(i % kDistinctFiles)]);
        }
        return paths;
    }

private:
    std::filesystem::path m_folder;
    std::vector<std::string> m_files;
};

const CFrameFiles& Files() {
    static const CFrameFiles files;
    return files;
}

double CurrentRssMiB() {
    long pages = 0;
    long resident = 0;
    if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2) {
            resident = 0;
        }
        std::fclose(statm);
    }
    return static_cast<double>(resident) * static_cast<double>(::sysconf(_SC_PAGESIZE)) / kMiB;
}

double PeakRssMiB() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;  // kilobytes on Linux
}

// Registered first, so the process peak is the loading's own.
void BM_LoadFrames72(benchmark::State& state) {
    const std::vector<std::string> paths = Files().Paths(kFrames);
    const double before = CurrentRssMiB();
    CKelvraDoc doc;
    for (auto _ : state) {
        doc.LoadFrames(paths);
        benchmark::DoNotOptimize(doc.FrameImages().data());
    }
    const double frameBytes = kFrames * static_cast<double>(kWidth) * kHeight * kBytesPerPixel;
    state.counters["frames"] = static_cast<double>(doc.FrameProducts().size());
    state.counters["rssBeforeMiB"] = before;
    state.counters["peakRssMiB"] = PeakRssMiB();
    state.counters["rawCountsMiB"] = frameBytes / kMiB;
    state.counters["boundMiB"] = kMemoryAllowance * frameBytes / kMiB + before;
    state.counters["growthOverRawCounts"] = (PeakRssMiB() - before) * kMiB / frameBytes;
}
BENCHMARK(BM_LoadFrames72)->Iterations(3)->Unit(benchmark::kMillisecond);

// The view shown at a usual window size over two loaded frames. Arg 0: the
// step composes once (through the initial update); arg 1: it composes, then
// runs the initial update, which composes again over the same picture.
void BM_FrameStep(benchmark::State& state) {
    const bool composeTwice = state.range(0) != 0;
    CKelvraDoc doc;
    CKelvraView view(doc, CDataPaths(KELVRA_SOURCE_DIR));
    view.resize(1280, 900);
    view.show();
    CAnimationHost host = MakeDocumentAnimationHost(
        doc,
        [&view, composeTwice] {
            if (composeTwice) {
                view.Compose();
            }
            view.OnInitialUpdate();
            view.viewport()->repaint();
        },
        nullptr);
    host.loadFrames(Files().Paths(2));
    int frame = 0;
    for (auto _ : state) {
        host.makeFrameCurrent(frame);
        frame ^= 1;
    }
    state.counters["composed"] = view.ComposeCount();
}
BENCHMARK(BM_FrameStep)->ArgName("composeTwice")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The core of a step without widgets: copies, composition, one full-picture
// paint.
void BM_FrameStepCompose(benchmark::State& state) {
    CKelvraDoc doc;
    doc.LoadFrames(Files().Paths(2));
    const CDataPaths paths(KELVRA_SOURCE_DIR);
    const CompositionLayers layers;  // map, grid and title on
    QImage offscreen;
    QImage screen(kWidth, kHeight, QImage::Format_RGB32);
    int frame = 0;
    for (auto _ : state) {
        doc.MakeFrameCurrent(frame);
        int recompose = doc.RecomposeRequested() ? 1 : 0;
        ComposePicture(doc.Image(), SceneOf(doc.Product(), "", paths), layers, recompose,
                       offscreen);
        if (recompose == 0) {
            doc.RecomposeDone();
        }
        QPainter painter(&screen);
        painter.drawImage(0, 0, offscreen);
        frame ^= 1;
    }
}
BENCHMARK(BM_FrameStepCompose)->Unit(benchmark::kMillisecond);

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
