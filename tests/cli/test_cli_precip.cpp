// kelvra-cli precip: rain pixels, the per-class summary, the shipped tables
// on a catalogue pair, and what a failure prints.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/CliRunner.h"
#include "support/PrecipScenes.h"
#include "support/TestSupport.h"

namespace {

// Summer 190 K candidates; 0.0368462 · 190 - 1.11007 · (190 - t2) makes
// 2 mm at (5, 4), 12 mm at (7, 4) and 34.7, stored as 30, at (9, 6).
double Ir2(int x, int y) {
    return y == 4 && x == 5 ? 185.49 : y == 4 && x == 7 ? 194.50 : y == 6 && x == 9 ? 215.0 : 300.0;
}

double Ir1(int x, int y) {
    return Ir2(x, y) < 300.0 ? 190.0 : 300.0;
}

}  // namespace

TEST(CliPrecip, PixelsInOrderAndSummary) {
    CTempDir dir;
    WritePrecipTables(dir.Path(), UniformThreshold(240.0));
    const std::string ir1 = WritePrecipPair(dir.Path(), PrecipProductOptions(20, 12, 7), Ir1, Ir2);
    const std::string lut = " --lut " + dir.Path();
    CliResult r = RunCli("precip " + PrecipIr2Path(ir1) + lut);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "5 4 2\n7 4 12\n9 6 30\n");
    r = RunCli("precip " + ir1 + lut + " --summary");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "0 1\n6 0\n12 1\n18 0\n24 0\n30 1\ntotal 3 max 30\n");

    // No rain is still an estimate.
    auto warm = [](int, int) { return 260.0; };
    WritePrecipPair(dir.Path(), PrecipProductOptions(20, 12, 1), warm, warm);
    r = RunCli("precip " + ir1 + lut + " --summary");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "0 0\n6 0\n12 0\n18 0\n24 0\n30 0\ntotal 0 max 0\n");
}

// The tables shipped in dat/lut, found from the start-up directory, make
// rain on a pair of the sample catalogue (spring, LCN) opened by its
// visible channel.
TEST(CliPrecip, ShippedTablesMakeRainOnACataloguePair) {
    CTempDir dir;
    const std::string stem = dir.Path() + "/FY2G_LCN_";
    for (const char* channel : {"1", "2"}) {
        ASSERT_EQ(
            RunCli("synth " + stem + "IR" + channel + "_202203311200.AWX --channel " + channel +
                   " --time 202203311200 --size 800x600 --resolution 0.08 --center 105,32")
                .status,
            0);
    }
    const CliResult r = RunShell("cd " + SourceDir() + " && " + std::string(KELVRA_CLI) +
                                 " precip " + stem + "VIS_202203311200.AWX --summary");
    ASSERT_EQ(r.status, 0);
    const std::size_t total = r.out.find("total ");
    ASSERT_NE(total, std::string::npos);
    EXPECT_GT(std::stol(r.out.substr(total + 6)), 1000) << r.out;
}

TEST(CliPrecip, FailuresOnStandardError) {
    CTempDir dir;
    WritePrecipTables(dir.Path(), UniformThreshold(240.0));
    const std::string ir1 = WritePrecipPair(dir.Path(), PrecipProductOptions(20, 12, 7), Ir1, Ir2);
    const std::string lut = " --lut " + dir.Path();

    std::filesystem::remove(PrecipIr2Path(ir1));
    CliResult r = RunCli("precip " + ir1 + lut + " 2>&1");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "kelvra-cli: channel file not found: " + PrecipIr2Path(ir1) + "\n");

    WriteBytesToPath(PrecipIr2Path(ir1), PrecipProduct(PrecipProductOptions(24, 12, 7), Ir2));
    r = RunCli("precip " + ir1 + lut + " 2>&1");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "红外通道云图大小不一致\n降水估计计算失败\n");

    EXPECT_EQ(RunCli("precip 2>/dev/null").status, 2);
    EXPECT_EQ(RunCli("precip " + ir1 + " --lut 2>/dev/null").status, 2);
}
