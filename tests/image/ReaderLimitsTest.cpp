// Hostile inputs for the image readers: headers declaring huge pictures in
// small (or sparse) files are refused before anything large is allocated, a
// TGA this system wrote always reads back, and special files never block.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "DibTestBlocks.h"
#include "image/CDibImage.h"
#include "image/PaletteFile.h"
#include "image/TgaCodec.h"
#include "product/AllocationProbe.h"
#include "support/TestSupport.h"
#include "synth/AwxWriter.h"

namespace {

// Far below any picture the refused headers declare.
constexpr std::size_t kSmallAllocation = 1024 * 1024;
constexpr std::uint64_t kGiB = 1024ull * 1024 * 1024;

std::vector<std::uint8_t> BmpHeader(std::int32_t width, std::int32_t height, int bits) {
    std::vector<std::uint8_t> file = {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0};
    std::vector<std::uint8_t> info(40, 0);
    WriteInfoHeader(info.data(), width, height, bits, 0);
    file.insert(file.end(), info.begin(), info.end());
    return file;
}

std::vector<std::uint8_t> TgaHeader(int width, int height) {
    std::vector<std::uint8_t> header(kTgaHeaderSize, 0);
    header[2] = 2;
    WriteInt16LE(header.data() + 12, width);
    WriteInt16LE(header.data() + 14, height);
    header[16] = 24;
    return header;
}

// A real 8 × 8 JPEG whose frame header then declares width × height.
std::vector<std::uint8_t> JpegDeclaring(int width, int height) {
    CTempDir dir;
    EXPECT_TRUE(PatternImage(8, 8, 24).Save(dir.File("small.jpg")));
    std::vector<std::uint8_t> file = ReadFileBytes(dir.File("small.jpg"));
    for (std::size_t i = 0; i + 9 < file.size(); ++i) {
        if (file[i] == 0xFF && file[i + 1] == 0xC0) {  // baseline frame header
            file[i + 5] = static_cast<std::uint8_t>(height >> 8);
            file[i + 6] = static_cast<std::uint8_t>(height);
            file[i + 7] = static_cast<std::uint8_t>(width >> 8);
            file[i + 8] = static_cast<std::uint8_t>(width);
            return file;
        }
    }
    ADD_FAILURE() << "no frame header in the written JPEG";
    return file;
}

std::vector<std::uint8_t> AwxDeclaring(int width, int height) {
    AwxWriterOptions options;
    options.width = 40;
    options.height = 30;
    std::vector<std::uint8_t> file = MakeAwxProduct(options);
    WriteInt16LE(file.data() + 40 + 22, width);
    WriteInt16LE(file.data() + 40 + 24, height);
    return file;
}

// The bytes, then zeros up to size (a sparse file: nothing is written).
void WriteSparse(const std::string& path, const std::vector<std::uint8_t>& head,
                 std::uint64_t size) {
    ASSERT_TRUE(WriteFileBytes(path, head));
    if (size > head.size()) {
        std::filesystem::resize_file(path, size);
    }
}

struct HostileFile {
    const char* name;  // also the file name, so its extension picks the reader
    std::vector<std::uint8_t> head;
    std::uint64_t size;  // 0: just the head
};

TEST(ReaderLimits, HugeDeclaredPicturesAreRefusedWithoutLargeAllocations) {
    const HostileFile cases[] = {
        {"bmp-16000x16000-in-54-bytes.bmp", BmpHeader(16000, 16000, 24), 0},
        {"bmp-broken-header-3-GiB.bmp", BmpHeader(4, 4, 7), 3 * kGiB},
        {"bmp-16384x16384-too-many-pixels.bmp", BmpHeader(16384, 16384, 8), 3 * kGiB},
        {"bmp-16385-wide.bmp", BmpHeader(16385, 4, 24), 3 * kGiB},
        {"tga-65535x16000-in-its-size.tga", TgaHeader(65535, 16000), 3 * kGiB + 100 * 1024 * 1024},
        {"tga-16384x8192-in-18-bytes.tga", TgaHeader(16384, 8192), 0},
        {"jpeg-16000x16000.jpg", JpegDeclaring(16000, 16000), 0},
        {"jpeg-65500x65500.jpg", JpegDeclaring(65500, 65500), 0},
        // Within the pixel limits, but far too short for 2^20 blocks.
        {"jpeg-8192x8192-in-a-small-file.jpeg", JpegDeclaring(8192, 8192), 0},
        {"awx-65535x8000-sparse.awx", AwxDeclaring(65535, 8000), 600 * 1024 * 1024},
        {"awx-8193x8193-sparse.awx", AwxDeclaring(8193, 8193), 70 * 1024 * 1024},
    };
    CTempDir dir;
    for (const HostileFile& c : cases) {
        const std::string path = dir.File(c.name);
        WriteSparse(path, c.head, c.size);
        CDibImage image = PatternImage(3, 2, 24);
        CAllocationProbe probe;
        EXPECT_FALSE(image.Load(path)) << c.name;
        EXPECT_LT(probe.Largest(), kSmallAllocation) << c.name;
        EXPECT_EQ(image.Width(), 3) << c.name << ": a failed load leaves the image";
        std::filesystem::remove(path);
    }
}

// Bytes behind the declared image are not part of it and are never read.
TEST(ReaderLimits, BmpReadsOnlyTheBytesItsHeaderDeclares) {
    CTempDir dir;
    const CDibImage picture = PatternImage(4, 4, 24);
    std::vector<std::uint8_t> file = BmpHeader(4, 4, 24);
    file.insert(file.end(), picture.Block().begin() + 40, picture.Block().end());
    WriteSparse(dir.File("trailing.bmp"), file, 3 * kGiB);
    CDibImage image;
    CAllocationProbe probe;
    ASSERT_TRUE(image.Load(dir.File("trailing.bmp")));
    EXPECT_LT(probe.Largest(), kSmallAllocation);
    EXPECT_EQ(PixelOf(image, 3, 1), PixelOf(picture, 3, 1));
}

// A picture at the limits still loads: 16384 a side, 2^27 pixels in all,
// declared by headers whose files hold every pixel.
TEST(ReaderLimits, PicturesAtTheLimitsLoad) {
    CTempDir dir;
    const struct {
        const char* name;
        std::vector<std::uint8_t> head;
        std::uint64_t size;
    } cases[] = {
        {"wide.bmp", BmpHeader(16384, 2, 8), 54 + 1024 + 16384 * 2},
        {"tall.tga", TgaHeader(1, 16384), kTgaHeaderSize + 16384 * 3},
    };
    for (const auto& c : cases) {
        WriteSparse(dir.File(c.name), c.head, c.size);
        CDibImage image;
        EXPECT_TRUE(image.Load(dir.File(c.name))) << c.name;
    }
}

// The last pixel bytes of a saved TGA can spell a footer whose offsets point
// inside the pixels; the file must read back all the same.
TEST(ReaderLimits, SavedTgaEndingInFooterBytesReadsBack) {
    std::vector<std::uint8_t> footer(26, 0);
    const char signature[] = "TRUEVISION-XFILE.";
    std::copy(signature, signature + 18, footer.begin() + 8);
    struct Offsets {
        std::uint32_t extension, developer;
    };
    // 4 × 3 pixels of 3 bytes: the pixel data ends at offset 54.
    const Offsets rows[] = {{18, 0}, {0, 30}, {53, 53}, {0, 0}};
    CTempDir dir;
    for (const Offsets& row : rows) {
        std::vector<std::uint8_t> pixels(36 - footer.size(), 0x41);
        WriteInt32LE(footer.data(), row.extension);
        WriteInt32LE(footer.data() + 4, row.developer);
        pixels.insert(pixels.end(), footer.begin(), footer.end());
        std::vector<std::uint8_t> file = TgaHeader(4, 3);
        file.insert(file.end(), pixels.begin(), pixels.end());
        ASSERT_TRUE(WriteFileBytes(dir.File("in.tga"), file));

        CDibImage image;
        ASSERT_TRUE(image.Load(dir.File("in.tga"))) << row.extension;
        ASSERT_TRUE(image.Save(dir.File("again.tga")));
        EXPECT_EQ(ReadFileBytes(dir.File("again.tga")), file) << row.extension;
        CDibImage again;
        ASSERT_TRUE(again.Load(dir.File("again.tga"))) << row.extension;
        EXPECT_EQ(again.Block(), image.Block());
    }
}

TEST(ReaderLimits, SharedTgaReproducerRoundTrips) {
    const std::string repro = std::string(KELVRA_SHARED_DIR) + "/repro/tga-roundtrip.tga";
    if (!std::filesystem::exists(repro)) {
        GTEST_SKIP() << "reproducer not found beside the repository";
    }
    CTempDir dir;
    CDibImage image;
    ASSERT_TRUE(image.Load(repro));
    ASSERT_TRUE(image.Save(dir.File("once.tga")));
    CDibImage again;
    ASSERT_TRUE(again.Load(dir.File("once.tga")));
    EXPECT_EQ(again.Block(), image.Block());
    ASSERT_TRUE(again.Save(dir.File("twice.bmp")));
}

// A FIFO without a writer would block open() for ever; a folder is no file.
// (Should a reader regress, this test hangs until CTest's time-out.)
TEST(ReaderLimits, SpecialFilesAreRefusedWithoutBlocking) {
    KELVRA_SKIP_ON_WINDOWS("no FIFOs in its folders");
    CTempDir dir;
    const char* names[] = {"fifo.bmp", "fifo.jpg", "fifo.tga", "fifo.awx", "fifo.lut"};
    for (const char* name : names) {
        ASSERT_TRUE(MakeFifo(dir.File(name))) << name;
    }
    std::filesystem::create_directory(dir.File("folder.bmp"));
    for (const char* name : {"fifo.bmp", "fifo.jpg", "fifo.tga", "fifo.awx", "folder.bmp"}) {
        CDibImage image;
        EXPECT_FALSE(image.Load(dir.File(name))) << name;
    }
    EXPECT_FALSE(ReadPaletteFile(dir.File("fifo.lut")).has_value());
}

}  // namespace
