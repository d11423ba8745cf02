// Text verbs whose output cannot be written fail with the reason on stderr,
// instead of leaving a cut table or invalid JSON behind exit status 0: on a
// device that is full from the first byte and on a disk that fills half way.

#include <gtest/gtest.h>

#include <string>

#include "nwp/NwpTestFiles.h"
#include "support/CliRunner.h"
#include "support/TestSupport.h"

namespace {

constexpr const char* kNoSpace = "the output could not be written: No space left on device";
constexpr const char* kTooLarge = "the output could not be written: File too large";

TEST(CliOutput, UnwritableOutputFailsTheRun) {
    CTempDir dir;
    const std::string stem = dir.Path() + "/FY2G_LCN_";
    const std::string older = stem + "IR1_202207011100.AWX";
    const std::string product = stem + "IR1_202207011200.AWX";
    for (const auto& [path, options] :
         {std::pair{older, "--time 202207011100"}, std::pair{product, "--time 202207011200"},
          std::pair{stem + "IR2_202207011200.AWX", "--time 202207011200 --channel 2"}}) {
        ASSERT_EQ(RunCli("synth " + path + " " + options).status, 0) << path;
    }
    const std::string diamond = WriteDiamond(dir, "g.000", GlobalContent());
    const std::string lut = SourceDir() + "/dat/lut";
    const std::string full = " 2>&1 >/dev/full";
    // A file size limit stands for a disk that fills up once output has begun.
    const std::string limited = "(ulimit -f 1; trap '' XFSZ; exec " + std::string(KELVRA_CLI) +
                                " %s >" + dir.File("out") + " 2>" + dir.File("err") +
                                "); status=$?; cat " + dir.File("err") + "; exit $status";
    const struct {
        std::string arguments;
        bool fills;  // the output outgrows the file size limit
    } cases[] = {
        {"info " + product, false},
        {"extent " + product, false},
        {"locate " + product + " 10 10 --value", false},
        {"locate " + product + " --lonlat 100 30", false},
        {"isotherms " + product, true},
        {"isotherms " + product + " --geojson", true},
        {"cells " + product + " --geojson", false},
        {"cells " + older + " " + product + " --track", false},
        {"precip " + product + " --lut " + lut + " --summary", false},
        {"nwp " + diamond, false},
        {"nwp " + diamond + " --grid", true},
        {"nwp " + diamond + " --contours --geojson", true},
        {"trend " + older + " " + product + " --summary", false},
        {"stats " + product + " --box 10,10,99,99", false},
        {"series " + older + " " + product + " --lonlat 100 30", false},
        {"--help", true},
    };
    for (const auto& c : cases) {
        const CliResult onFull = RunCli(c.arguments + full);
        EXPECT_EQ(onFull.status, 1) << c.arguments;
        EXPECT_NE(onFull.out.find(kNoSpace), std::string::npos) << c.arguments << onFull.out;
        if (!c.fills) {
            continue;
        }
        std::string command = limited;
        command.replace(command.find("%s"), 2, c.arguments);
        const CliResult cut = RunShell(command);
        EXPECT_EQ(cut.status, 1) << c.arguments;
        EXPECT_NE(cut.out.find(kTooLarge), std::string::npos) << c.arguments << cut.out;
    }
}

}  // namespace
