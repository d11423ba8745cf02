// JPEG read and write of a 2048x2048 24-bit cloud picture, beside
// libjpeg-turbo's own cjpeg and djpeg on the same picture (when installed),
// and the cost of one history push against one plain copy of the block.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "image/CDibImage.h"
#include "image/JpegCodec.h"
#include "platform/Rand15.h"
#include "synth/SynthScene.h"

namespace {

constexpr int kSize = 2048;
constexpr const char* kCjpeg = "/usr/bin/cjpeg";
constexpr const char* kDjpeg = "/usr/bin/djpeg";

// Three channels of a synthetic satellite scene as blue, green and red:
// clouds, bands and land edges, with a few levels of sensor noise on every
// pixel, as real imagery has; nothing constant.
CDibImage MakeCloudPicture(int bits) {
    const SynthGrid grid{kSize, kSize, 105.0, 30.0, 0.02};
    const CSynthScene scene(7, grid, 12.0);
    const std::vector<std::uint8_t> ir = scene.RenderCounts(1);
    const std::vector<std::uint8_t> wv = scene.RenderCounts(3);
    const std::vector<std::uint8_t> vis = scene.RenderCounts(5);
    CDibImage image;
    image.CreateBlank(kSize, kSize, bits);
    std::uint8_t* pixels = image.LockBits();
    CRand15 noise;
    auto noisy = [&noise](std::uint8_t v) {
        const int n = v + noise.Next() % 9 - 4;
        return static_cast<std::uint32_t>(n < 0 ? 0 : (n > 255 ? 255 : n));
    };
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            const std::size_t i = static_cast<std::size_t>(y) * kSize + x;
            image.SetPixel(pixels, x, y,
                           noisy(vis[i]) | (noisy(wv[i]) << 8) | (noisy(ir[i]) << 16));
        }
    }
    return image;
}

const CDibImage& Picture() {
    static const CDibImage picture = MakeCloudPicture(24);
    return picture;
}

std::string WorkFile(const char* name) {
    return (std::filesystem::temp_directory_path() / name).string();
}

// The picture as a JPEG file and as the PPM that cjpeg reads.
const std::vector<std::uint8_t>& PictureJpeg() {
    static const std::vector<std::uint8_t> bytes = [] {
        const std::string path = WorkFile("kelvra-bench.jpg");
        Picture().Save(path);
        std::vector<std::uint8_t> data(std::filesystem::file_size(path));
        std::FILE* file = std::fopen(path.c_str(), "rb");
        if (file) {
            data.resize(std::fread(data.data(), 1, data.size(), file));
            std::fclose(file);
        }
        return data;
    }();
    return bytes;
}

std::string PicturePpm() {
    const std::string path = WorkFile("kelvra-bench.ppm");
    if (!std::filesystem::exists(path)) {
        std::FILE* file = std::fopen(path.c_str(), "wb");
        std::fprintf(file, "P6\n%d %d\n255\n", kSize, kSize);
        for (int y = 0; y < kSize; ++y) {
            for (int x = 0; x < kSize; ++x) {
                std::uint32_t v = 0;
                Picture().GetPixel(x, y, v);
                const unsigned char rgb[3] = {static_cast<unsigned char>(v),
                                              static_cast<unsigned char>(v >> 8),
                                              static_cast<unsigned char>(v >> 16)};
                std::fwrite(rgb, 1, 3, file);
            }
        }
        std::fclose(file);
    }
    return path;
}

void BM_ReadJpeg(benchmark::State& state) {
    const std::vector<std::uint8_t>& jpeg = PictureJpeg();
    for (auto _ : state) {
        std::vector<std::uint8_t> block = ReadJpegDibBytes(jpeg.data(), jpeg.size());
        benchmark::DoNotOptimize(block.data());
    }
    state.counters["jpeg_bytes"] = static_cast<double>(jpeg.size());
}
BENCHMARK(BM_ReadJpeg)->Unit(benchmark::kMillisecond);

void BM_LoadJpegFile(benchmark::State& state) {
    PictureJpeg();
    const std::string path = WorkFile("kelvra-bench.jpg");
    CDibImage image;
    for (auto _ : state) {
        benchmark::DoNotOptimize(image.Load(path));
    }
}
BENCHMARK(BM_LoadJpegFile)->Unit(benchmark::kMillisecond);

void BM_WriteJpeg(benchmark::State& state) {
    const CDibImage& picture = Picture();
    for (auto _ : state) {
        std::FILE* sink = std::fopen("/dev/null", "wb");
        benchmark::DoNotOptimize(WriteJpegDib(picture.Block(), sink));
        std::fclose(sink);
    }
}
BENCHMARK(BM_WriteJpeg)->Unit(benchmark::kMillisecond);

// The peers run as processes; a process start costs about a millisecond.
void RunPeer(benchmark::State& state, const char* tool, const std::string& command) {
    if (!std::filesystem::exists(tool)) {
        state.SkipWithError("libjpeg-turbo-progs (cjpeg/djpeg) not installed");
        return;
    }
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0) {
            state.SkipWithError("peer tool failed");
            return;
        }
    }
}

void BM_PeerDjpeg(benchmark::State& state) {
    PictureJpeg();
    RunPeer(state, kDjpeg,
            std::string(kDjpeg) + " -ppm -outfile /dev/null " + WorkFile("kelvra-bench.jpg"));
}
BENCHMARK(BM_PeerDjpeg)->Unit(benchmark::kMillisecond);

void BM_PeerCjpeg(benchmark::State& state) {
    const std::string ppm = PicturePpm();
    RunPeer(state, kCjpeg, std::string(kCjpeg) + " -quality 100 -outfile /dev/null " + ppm);
}
BENCHMARK(BM_PeerCjpeg)->Unit(benchmark::kMillisecond);

const CDibImage& GreyPicture() {
    static const CDibImage picture = MakeCloudPicture(8);
    return picture;
}

// Steady state: the history is full, so every push replaces the oldest entry.
void BM_HistoryPush(benchmark::State& state) {
    CDibImage image = GreyPicture();
    for (int i = 0; i < CDibImage::kHistoryLimit; ++i) {
        image.PushHistory(kIdsFilter);
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(image.PushHistory(kIdsFilter));
    }
}
BENCHMARK(BM_HistoryPush)->Unit(benchmark::kMicrosecond);

void BM_BlockCopy(benchmark::State& state) {
    const std::vector<std::uint8_t>& block = GreyPicture().Block();
    for (auto _ : state) {
        std::vector<std::uint8_t> copy(block);
        benchmark::DoNotOptimize(copy.data());
    }
}
BENCHMARK(BM_BlockCopy)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
