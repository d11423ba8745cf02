// Reading a 2048 × 2048 product: CGeoImage::ReadProduct and ReadAwxDib beside
// a plain read of the same file into memory, all from a warm page cache.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "product/AwxDib.h"
#include "product/CGeoImage.h"
#include "synth/AwxWriter.h"

namespace {

// Written once per run and removed at exit.
class CBenchProduct {
public:
    CBenchProduct() {
        std::string pattern = "/tmp/bench_awx_read-XXXXXX";
        const int fd = mkstemp(pattern.data());
        if (fd >= 0) {
            close(fd);
        }
        m_path = pattern;
        AwxWriterOptions o;
        o.width = 2048;
        o.height = 2048;
        o.resolution = 0.02;
        WriteAwxProduct(m_path, o);
    }
    ~CBenchProduct() { std::remove(m_path.c_str()); }
    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
};

const std::string& ProductPath() {
    static const CBenchProduct product;
    return product.Path();
}

void BM_FreadWholeFile(benchmark::State& state) {
    const std::string& path = ProductPath();
    std::vector<std::uint8_t> buffer;
    for (auto _ : state) {
        std::FILE* file = std::fopen(path.c_str(), "rb");
        std::fseek(file, 0, SEEK_END);
        buffer.resize(static_cast<std::size_t>(std::ftell(file)));
        std::fseek(file, 0, SEEK_SET);
        benchmark::DoNotOptimize(std::fread(buffer.data(), 1, buffer.size(), file));
        std::fclose(file);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_FreadWholeFile)->Unit(benchmark::kMillisecond);

// The same read into a buffer allocated afresh each time, as a reader's
// result must be.
void BM_FreadWholeFileFreshBuffer(benchmark::State& state) {
    const std::string& path = ProductPath();
    for (auto _ : state) {
        std::FILE* file = std::fopen(path.c_str(), "rb");
        std::fseek(file, 0, SEEK_END);
        std::vector<std::uint8_t> buffer(static_cast<std::size_t>(std::ftell(file)));
        std::fseek(file, 0, SEEK_SET);
        benchmark::DoNotOptimize(std::fread(buffer.data(), 1, buffer.size(), file));
        std::fclose(file);
        benchmark::DoNotOptimize(buffer.data());
    }
}
BENCHMARK(BM_FreadWholeFileFreshBuffer)->Unit(benchmark::kMillisecond);

void BM_ReadProduct(benchmark::State& state) {
    const std::string& path = ProductPath();
    for (auto _ : state) {
        CGeoImage product;
        if (!product.ReadProduct(path)) {
            state.SkipWithError("ReadProduct failed");
        }
        benchmark::DoNotOptimize(product.CountsRow(0));
    }
}
BENCHMARK(BM_ReadProduct)->Unit(benchmark::kMillisecond);

void BM_ReadAwxDib(benchmark::State& state) {
    const std::string& path = ProductPath();
    for (auto _ : state) {
        std::FILE* file = std::fopen(path.c_str(), "rb");
        auto block = ReadAwxDib(file);
        std::fclose(file);
        if (block.empty()) {
            state.SkipWithError("ReadAwxDib failed");
        }
        benchmark::DoNotOptimize(block.data());
    }
}
BENCHMARK(BM_ReadAwxDib)->Unit(benchmark::kMillisecond);

// What opening a product costs: both readers, one after the other.
void BM_ReadProductAndDib(benchmark::State& state) {
    const std::string& path = ProductPath();
    for (auto _ : state) {
        CGeoImage product;
        product.ReadProduct(path);
        std::FILE* file = std::fopen(path.c_str(), "rb");
        auto block = ReadAwxDib(file);
        std::fclose(file);
        benchmark::DoNotOptimize(product.CountsRow(0));
        benchmark::DoNotOptimize(block.data());
    }
}
BENCHMARK(BM_ReadProductAndDib)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
