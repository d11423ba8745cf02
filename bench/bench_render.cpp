// kelvra-cli render's work inside one process, to set the whole command's
// time against: the real 1900 x 1300 sample opened as the document opens
// it, its picture composed with the shipped maps, grid and title (the text
// through the font list's face) and saved as a 24-bit BMP, durability sync
// included. Setting the page heap up as kelvra-cli does is part of it.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "BenchCatalogue.h"
#include "compose/CPictureJob.h"
#include "compose/RasterPictureFile.h"
#include "fonts/CFreeTypeText.h"
#include "image/CDibImage.h"
#include "image/OpenImageFile.h"
#include "platform/DataPaths.h"
#include "platform/LargePageHeap.h"
#include "product/CGeoImage.h"

namespace {

const std::string kSample =
    std::string(KELVRA_SHARED_DIR) + "/samples/ANI_IR1_R04_20220331_2100_FY2G.AWX";

void BM_RenderToBmp(benchmark::State& state) {
    if (!std::filesystem::exists(kSample)) {
        state.SkipWithError("the real sample is missing");
        return;
    }
    ReserveLargePageHeap(std::size_t{64} << 20);
    CBenchTempDir dir("bench_render");
    const std::string out = dir.Path() + "/out.bmp";
    for (auto _ : state) {
        CPictureJob job(CDataPaths(KELVRA_SOURCE_DIR));
        job.KeepLayers(false);
        CFreeTypeText text(job.Paths());
        CGeoImage product;
        CDibImage image;
        if (!OpenImageFile(kSample, product, image).imageLoaded) {
            state.SkipWithError("the sample cannot be opened");
            break;
        }
        PictureSubject subject(product);
        subject.path = kSample;
        PictureTarget target;
        target.path = out;
        if (ComposeAndSaveRaster(job, image, subject, target, &text) != PictureSaveResult::kSaved) {
            state.SkipWithError("the picture was not saved");
            break;
        }
    }
}
BENCHMARK(BM_RenderToBmp)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
