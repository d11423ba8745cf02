// The readers of every data file a picture is made from, one row each: a FIFO
// or a folder in a file's place is refused at once (should a reader block on
// the FIFO, this test hangs until CTest's time-out), and a file beyond its
// kind's size limit is refused by its size, before any of it is read or any
// memory is taken for it, even when it starts as a valid file.

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "analysis/PrecipThresholds.h"
#include "geo/MapLineFile.h"
#include "geo/RegionFile.h"
#include "image/PaletteFile.h"
#include "nwp/CNwpOverlay.h"
#include "nwp/DiamondFile.h"
#include "nwp/NwpCatalogue.h"
#include "nwp/NwpTestFiles.h"
#include "product/AllocationProbe.h"
#include "support/TestSupport.h"

namespace {

struct Reader {
    const char* what;
    const char* name;                 // the file's name in its folder
    std::size_t limit;                // 0: read at a fixed size, whatever the file holds
    std::vector<std::uint8_t> valid;  // a file the reader accepts
    std::function<bool(const std::string& path)> read;
};

std::vector<std::uint8_t> Bytes(const std::string& text) {
    return std::vector<std::uint8_t>(text.begin(), text.end());
}

std::vector<Reader> Readers() {
    const std::string diamond = DiamondText(DiamondContent());
    return {
        {"map file",
         "WORLD.LNB",
         kMapFileMaxBytes,
         {2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xE8, 3, 0x10, 0x27},
         [](const std::string& path) {
             std::vector<std::uint8_t> bytes;
             return ReadWholeFile(path, bytes);
         }},
        {"region file", "region.txt", kRegionFileMaxBytes,
         ReadFileBytes(SourceDir() + "/dat/region.txt"),
         [](const std::string& path) {
             std::vector<RegionRecord> records;
             return ReadRegionRecords(path, records) && !records.empty();
         }},
        {"palette", "color1.lut", kPaletteMaxFileBytes,
         ReadFileBytes(SourceDir() + "/dat/color1.lut"),
         [](const std::string& path) { return ReadPaletteFile(path).has_value(); }},
        {"NWP catalogue", kNwpCatalogueName, kNwpCatalogueMaxBytes,
         Bytes("class1\nhigh 高空 1\nh500 500hPa高度 1\n500\n"),
         [](const std::string& path) {
             NwpDataClass parsed;
             return ReadNwpCatalogue(std::filesystem::path(path).parent_path().string(), 1, parsed);
         }},
        {"diamond file", "22033020.000", kMaxDiamondFileBytes, Bytes(diamond),
         [](const std::string& path) { return CNwpOverlay().ReadFile(path); }},
        {"diamond probe", "22033020.000", 0, Bytes(diamond),
         [](const std::string& path) { return CNwpOverlay().ProbeHeader(path); }},
        {"threshold table", "yuzhi_678.dat", 0, std::vector<std::uint8_t>(kPrecipTableBytes, 1),
         [](const std::string& path) {
             std::vector<float> thresholds;
             return ReadPrecipThresholds(path, thresholds);
         }},
    };
}

TEST(DataFileReaders, FifoOrFolderInAFilesPlaceIsRefusedAtOnce) {
    for (const Reader& reader : Readers()) {
        CTempDir dir;
        const std::string path = dir.File(reader.name);
        ASSERT_TRUE(WriteFileBytes(path, reader.valid));
        EXPECT_TRUE(reader.read(path)) << reader.what << ": the valid file";
        std::filesystem::remove(path);
#ifndef _WIN32  // Windows keeps pipes out of folders
        ASSERT_TRUE(MakeFifo(path)) << reader.what;
        EXPECT_FALSE(reader.read(path)) << reader.what << ": FIFO";
        std::filesystem::remove(path);
#endif
        std::filesystem::create_directory(path);
        EXPECT_FALSE(reader.read(path)) << reader.what << ": folder";
    }
}

// The files are valid at their start and sparse beyond it, so the disk holds
// next to nothing of them.
TEST(DataFileReaders, FileBeyondItsLimitIsRefusedUnread) {
    for (const Reader& reader : Readers()) {
        if (reader.limit == 0) {
            continue;
        }
        CTempDir dir;
        const std::string path = dir.File(reader.name);
        ASSERT_TRUE(WriteFileBytes(path, reader.valid));
        // Diamond files are parsed, not only read: padding is no longer valid.
        if (reader.limit <= kMapFileMaxBytes) {
            std::filesystem::resize_file(path, reader.limit);
            EXPECT_TRUE(reader.read(path)) << reader.what << ": at the limit";
        }
        std::filesystem::resize_file(path, reader.limit + 1);
        CAllocationProbe probe;
        EXPECT_FALSE(reader.read(path)) << reader.what << ": beyond the limit";
        EXPECT_LT(probe.Largest(), std::size_t{64 * 1024}) << reader.what;
    }
}

// A map file of nothing but empty records (ten bytes each) is held in little
// more than one and a half times its size.
TEST(DataFileReaders, MapRecordsStayCompact) {
    std::vector<std::uint8_t> bytes(800000 * kMapRecordHeaderSize, 0);
    const std::size_t size = bytes.size();
    CAllocationProbe probe;
    const auto lines = ParseMapLines(std::move(bytes), MapCountRule::HalfCount);
    EXPECT_EQ(lines->records.size(), size / kMapRecordHeaderSize);
    EXPECT_TRUE(lines->intact);
    EXPECT_LE(probe.Largest(), size / kMapRecordHeaderSize * 16);
}

}  // namespace
