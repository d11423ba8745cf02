// Exporting a loop of 24 pictures of 1900 x 1300 as an animated GIF, the way
// kelvra-cli animate and the animation pane do: each product opened, composed
// with render's default layers (map lines, grid, title; the layer memory
// keeps unchanged layers between frames), indexed and appended. Counters give
// the GIF's size against the 24-bit BMPs render would write of the same
// pictures. Arg 0: synthetic products of 24 successive hours; arg 1: the real
// FY-2G sample 24 times (skipped when it is absent).

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QImage>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "compose/CLayerMemory.h"
#include "image/GifLoop.h"
#include "image/GifWriter.h"
#include "image/OpenImageFile.h"
#include "platform/DataPaths.h"
#include "render/CGuiSession.h"
#include "render/CQtPicture.h"
#include "render/LoopPictureView.h"
#include "synth/AwxWriter.h"

namespace {

constexpr int kWidth = 1900;
constexpr int kHeight = 1300;
constexpr int kFrames = 24;
constexpr double kMiB = 1024.0 * 1024.0;

const std::string kSample =
    std::string(KELVRA_SHARED_DIR) + "/samples/ANI_IR1_R04_20220331_2100_FY2G.AWX";

class CLoopFiles {
public:
    CLoopFiles() {
        m_folder = std::filesystem::temp_directory_path() /
                   ("kelvra-bench-loop-" + std::to_string(::getpid()));
        std::filesystem::create_directories(m_folder);
        for (int hour = 0; hour < kFrames; ++hour) {
            AwxWriterOptions options;
            options.width = kWidth;
            options.height = kHeight;
            options.hour = hour;
            const std::string path = (m_folder / ("LCN_" + std::to_string(hour) + ".AWX")).string();
            WriteAwxProduct(path, options);
            m_synthetic.push_back(path);
        }
    }
    ~CLoopFiles() {
        std::error_code ec;
        std::filesystem::remove_all(m_folder, ec);
    }
    const std::vector<std::string>& Synthetic() const { return m_synthetic; }
    std::string Output() const { return (m_folder / "loop.gif").string(); }

private:
    std::filesystem::path m_folder;
    std::vector<std::string> m_synthetic;
};

const CLoopFiles& Files() {
    static const CLoopFiles files;
    return files;
}

// A 24-bit BMP of the picture: headers and rows padded to 4 bytes.
double BmpBytes(int width, int height) {
    const double stride = ((width * 3 + 3) / 4) * 4.0;
    return 54.0 + stride * height;
}

void BM_ExportGifLoop(benchmark::State& state) {
    std::vector<std::string> frames = Files().Synthetic();
    if (state.range(0) == 1) {
        if (!std::filesystem::exists(kSample)) {
            state.SkipWithError("real sample product not found beside the repository");
            return;
        }
        frames.assign(kFrames, kSample);
    }
    const CDataPaths paths(KELVRA_SOURCE_DIR);
    const CompositionLayers layers;  // map, grid and title on, the image's own table
    const std::string output = Files().Output();
    CLayerMemory memory;
    CGeoImage product;
    CDibImage image;
    QImage picture;
    const LoopPictureSource source = [&](int index, LoopPicture& view) {
        product = CGeoImage();
        image = CDibImage();
        OpenImageFile(frames[static_cast<std::size_t>(index)], product, image);
        CompositionScene scene = SceneOf(product, "", paths);
        scene.layerMemory = &memory;
        int recompose = 1;
        return ComposePicture(image, scene, layers, recompose, picture) == 1 &&
               ViewLoopPicture(picture, image, view);
    };
    GifLoopSettings settings;
    settings.delayCentiseconds = GifDelayOf(200);
    // The compression runs on a second thread, which the CPU column does not
    // count: the process's own clock does.
    const std::clock_t cpuStart = std::clock();
    for (auto _ : state) {
        if (WriteGifLoop(output, kFrames, source, settings, LoopProgress()) !=
            LoopExportResult::kWritten) {
            state.SkipWithError("the loop was not written");
            return;
        }
    }
    const double gifBytes = static_cast<double>(std::filesystem::file_size(output));
    const double bmpBytes = kFrames * BmpBytes(picture.width(), picture.height());
    state.counters["processCpuS"] = static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC /
                                    static_cast<double>(state.iterations());
    state.counters["frames"] = kFrames;
    state.counters["gifMiB"] = gifBytes / kMiB;
    state.counters["bmpMiB"] = bmpBytes / kMiB;
    state.counters["gifToBmp"] = gifBytes / bmpBytes;
}
BENCHMARK(BM_ExportGifLoop)
    ->ArgName("realSample")
    ->Arg(0)
    ->Arg(1)
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    CGuiSession session;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
