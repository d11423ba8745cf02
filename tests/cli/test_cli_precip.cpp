// kelvra-cli precip: rain pixels, the per-class summary, the shipped tables
// on a catalogue product, and what a failure prints.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/CliRunner.h"
#include "support/PrecipScenes.h"

namespace {

// Summer, 190 K candidates at (5, 4) with 2 mm, (7, 4) with 12 mm and (9, 6)
// with 30 mm (0.0368462 · 190 - 1.11007 · d, d set by the infrared-2 value).
double Ir1(int x, int y) {
    const bool cold = (y == 4 && (x == 5 || x == 7)) || (y == 6 && x == 9);
    return cold ? 190.0 : 300.0;
}

double Ir2(int x, int y) {
    if (y == 4 && x == 5) {
        return 185.49;  // 2 mm
    }
    if (y == 4 && x == 7) {
        return 194.50;  // 12 mm
    }
    if (y == 6 && x == 9) {
        return 215.0;  // 34.7 mm, stored as 30
    }
    return Ir1(x, y);
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
}

TEST(CliPrecip, NoRainStillSucceeds) {
    CTempDir dir;
    WritePrecipTables(dir.Path(), UniformThreshold(240.0));
    auto warm = [](int, int) { return 260.0; };
    const std::string ir1 =
        WritePrecipPair(dir.Path(), PrecipProductOptions(20, 12, 1), warm, warm);
    CliResult r = RunCli("precip " + ir1 + " --lut " + dir.Path());
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "");
    r = RunCli("precip " + ir1 + " --lut " + dir.Path() + " --summary");
    EXPECT_EQ(r.out, "0 0\n6 0\n12 0\n18 0\n24 0\n30 0\ntotal 0 max 0\n");
}

// The tables shipped in dat/lut make rain on a spring product of the sample
// catalogue's shape, read from the data folder of the start-up directory.
TEST(CliPrecip, ShippedTablesMakeRainOnACatalogueProduct) {
    CTempDir dir;
    const std::string options = " --projection 1 --size 800x600 --resolution 0.08 --center 105,32";
    const std::string stem = dir.Path() + "/FY2G_LCN_";
    ASSERT_EQ(
        RunCli("synth " + stem + "IR1_202203311200.AWX --channel 1 --time 202203311200" + options)
            .status,
        0);
    ASSERT_EQ(
        RunCli("synth " + stem + "IR2_202203311200.AWX --channel 2 --time 202203311200" + options)
            .status,
        0);
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

    // A channel file missing: the path looked for.
    std::filesystem::remove(PrecipIr2Path(ir1));
    CliResult r = RunCli("precip " + ir1 + lut + " 2>&1");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "kelvra-cli: channel file not found: " + PrecipIr2Path(ir1) + "\n");

    // An infrared-2 product of another size: the messages of the estimate.
    WriteBytesToPath(PrecipIr2Path(ir1), PrecipProduct(PrecipProductOptions(24, 12, 7), Ir2));
    r = RunCli("precip " + ir1 + lut + " 2>&1");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "红外通道云图大小不一致\n降水估计计算失败\n");

    // No threshold table in the folder given.
    r = RunCli("precip " + ir1 + " --lut " + dir.Path() + "/none 2>&1");
    EXPECT_EQ(r.status, 1);

    EXPECT_EQ(RunCli("precip 2>/dev/null").status, 2);
    EXPECT_EQ(RunCli("precip " + ir1 + " --lut 2>/dev/null").status, 2);
}
