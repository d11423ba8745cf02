// The view computes the estimate at every composition; a result is kept only
// while its three files are unchanged, so a rewritten infrared image or
// threshold table is always seen.

#include <gtest/gtest.h>

#include <filesystem>

#include "analysis/CPrecipEstimate.h"
#include "support/PrecipScenes.h"
#include "support/TestSupport.h"

namespace {

double ColdAt(int coldX, int x, int y) {
    return x == coldX && y == 15 ? 200.0 : 300.0;
}

// Moves a file's modification time on, as a later write would.
void Touch(const std::string& path) {
    namespace fs = std::filesystem;
    fs::last_write_time(path, fs::last_write_time(path) + std::chrono::seconds(2));
}

TEST(PrecipKept, ChangedFilesAreReadAgain) {
    CTempDir dir;
    const std::string lut = dir.File("lut");
    std::filesystem::create_directory(lut);
    WritePrecipTables(lut, UniformThreshold(240.0));
    const AwxWriterOptions o = PrecipProductOptions(40, 30, 4);
    const auto t1 = [](int x, int y) { return ColdAt(20, x, y); };
    const std::string ir1 = WritePrecipPair(dir.Path(), o, t1, t1);
    const std::string ir2 = PrecipIr2Path(ir1);

    CPrecipEstimate estimate(lut);
    ASSERT_EQ(estimate.Compute(ir1, ir2), 1);
    ASSERT_EQ(estimate.Pixels().size(), 1u);
    EXPECT_EQ(estimate.Pixels()[0].x, 20);

    const struct {
        const char* what;
        std::function<void()> change;
        int rainX;  // -1: no rain
    } steps[] = {
        {"nothing changed", [] {}, 20},
        {"infrared 1 rewritten",
         [&] {
             WritePrecipPair(
                 dir.Path(), o, [](int x, int y) { return ColdAt(25, x, y); },
                 [](int x, int y) { return ColdAt(25, x, y); });
             Touch(ir1);
             Touch(ir2);
         },
         25},
        {"table made colder than every pixel",
         [&] {
             WritePrecipTables(lut, UniformThreshold(150.0));
             Touch(lut + "/yuzhi_345.dat");
         },
         -1},
    };
    for (const auto& step : steps) {
        step.change();
        ASSERT_EQ(estimate.Compute(ir1, ir2), 1) << step.what;
        if (step.rainX < 0) {
            EXPECT_TRUE(estimate.Empty()) << step.what;
        } else {
            ASSERT_EQ(estimate.Pixels().size(), 1u) << step.what;
            EXPECT_EQ(estimate.Pixels()[0].x, step.rainX) << step.what;
        }
    }
}

}  // namespace
