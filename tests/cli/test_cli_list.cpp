// kelvra-cli list: the file list's rows of a catalogue folder, chosen by
// code, channel, time and count, in observation-time order; bad arguments,
// a missing folder and an unwritable standard output fail with a reason.

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "support/CliRunner.h"
#include "support/TestSupport.h"
#include "synth/AwxWriter.h"

namespace {

void WriteProduct(const std::string& path, int channel, int hour, bool whole = true) {
    AwxWriterOptions options;
    options.width = 16;
    options.height = 8;
    options.calibration = false;
    options.channel = channel;
    options.hour = hour;
    std::vector<std::uint8_t> bytes = MakeAwxProduct(options);
    if (!whole) {
        bytes.resize(bytes.size() / 2);
    }
    ASSERT_TRUE(WriteBytesToPath(path, bytes));
}

// A catalogue with two codes, two channels, a subfolder and a product still
// being copied in.
struct Catalogue {
    CTempDir dir;
    Catalogue() {
        WriteProduct(dir.File("FY2G_LCN_IR1_202203310300.AWX"), 1, 3);
        WriteProduct(dir.File("FY2G_LCN_IR1_202203310100.AWX"), 1, 1);
        WriteProduct(dir.File("FY2G_LCN_IR1_202203310200.AWX"), 1, 2);
        WriteProduct(dir.File("FY2G_LCN_WV_202203310200.AWX"), 3, 2);
        WriteProduct(dir.File("FY2G_MSS_IR1_202203310000.AWX"), 1, 0);
        WriteProduct(dir.File("FY2G_LCN_IR1_202203310500.AWX"), 1, 5, false);
        std::filesystem::create_directory(dir.File("sub"));
        WriteProduct(dir.File("sub/FY2G_LCN_IR1_202203310400.AWX"), 1, 4);
    }
};

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

// The file names of the rows' first column, the folder left out.
std::vector<std::string> ListedNames(const std::string& folder, const std::string& out) {
    std::vector<std::string> names;
    for (const std::string& line : Lines(out)) {
        names.push_back(line.substr(folder.size() + 1, line.find('\t') - folder.size() - 1));
    }
    return names;
}

struct ListCase {
    const char* options;
    std::vector<std::string> names;
};

const ListCase kCases[] = {
    {"--code LCN --channel IR1",
     {"FY2G_LCN_IR1_202203310100.AWX", "FY2G_LCN_IR1_202203310200.AWX",
      "FY2G_LCN_IR1_202203310300.AWX"}},
    {"--code lcn --channel ir1 --latest 2",
     {"FY2G_LCN_IR1_202203310200.AWX", "FY2G_LCN_IR1_202203310300.AWX"}},
    {"--channel IR1",
     {"FY2G_MSS_IR1_202203310000.AWX", "FY2G_LCN_IR1_202203310100.AWX",
      "FY2G_LCN_IR1_202203310200.AWX", "FY2G_LCN_IR1_202203310300.AWX"}},
    {"--code LCN",
     {"FY2G_LCN_IR1_202203310100.AWX", "FY2G_LCN_IR1_202203310200.AWX",
      "FY2G_LCN_WV_202203310200.AWX", "FY2G_LCN_IR1_202203310300.AWX"}},
    {"--code LCN --channel IR1 --recursive",
     {"FY2G_LCN_IR1_202203310100.AWX", "FY2G_LCN_IR1_202203310200.AWX",
      "FY2G_LCN_IR1_202203310300.AWX", "sub/FY2G_LCN_IR1_202203310400.AWX"}},
    {"--code LCN --channel IR1 --from 202203310200 --to 202203310300",
     {"FY2G_LCN_IR1_202203310200.AWX", "FY2G_LCN_IR1_202203310300.AWX"}},
};

}  // namespace

TEST(CliList, RowsOfTheQueryInTimeOrder) {
    Catalogue catalogue;
    const std::string folder = catalogue.dir.Path();
    for (const ListCase& c : kCases) {
        SCOPED_TRACE(c.options);
        const CliResult r = RunCli("list " + folder + " " + c.options);
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(ListedNames(folder, r.out), c.names);
    }
    const CliResult r = RunCli("list " + folder + " --code LCN --channel IR1 --latest 1");
    EXPECT_EQ(r.out, catalogue.dir.File("FY2G_LCN_IR1_202203310300.AWX") +
                         "\t2022年03月31日 03:00\t等经纬度\t[97.50,27.50]\t16×8\n");
}

TEST(CliList, FailuresSayWhy) {
    Catalogue catalogue;
    const std::string folder = catalogue.dir.Path();
    const struct {
        std::string arguments;
        int status;
        const char* said;
    } rows[] = {
        {"list 2>&1", 2, "one FOLDER expected"},
        {"list " + folder + " --channel IR9 2>&1", 2, "--channel takes"},
        {"list " + folder + " --latest 0 2>&1", 2, "--latest takes"},
        {"list " + folder + " --from 2022 2>&1", 2, "--from takes"},
        {"list " + folder + " --to 202213310000 2>&1", 2, "--to takes"},
        {"list " + folder + " --sort time 2>&1", 2, "unknown option"},
        {"list " + folder + "/missing 2>&1", 1, "not a folder"},
        {"list " + folder + " 2>&1 >/dev/full", 1, "the output could not be written"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.arguments);
        const CliResult r = RunCli(row.arguments);
        EXPECT_EQ(r.status, row.status);
        EXPECT_NE(r.out.find(row.said), std::string::npos) << r.out;
    }
}
