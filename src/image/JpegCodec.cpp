#include "image/JpegCodec.h"

// jpeglib.h needs size_t and FILE declared before it.
#include <algorithm>
#include <csetjmp>
#include <limits>
#include <new>

#include <jpeglib.h>

#include "image/DibLayout.h"
#include "platform/ByteOrder.h"
#include "product/AwxFileAccess.h"

namespace {

constexpr int kQuality = 100;
constexpr int kBgrComponents = 3;
// Rows handed to the library per call; the row pointers point straight into
// the block, so no row is copied.
constexpr unsigned kRowBatch = 16;
// A progressive file re-decodes the whole image at every scan; no encoder
// writes anywhere near this many, so more only serve to stall the reader.
constexpr int kMaxScans = 1000;

struct JpegErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
};

[[noreturn]] void OnJpegError(j_common_ptr cinfo) {
    std::longjmp(reinterpret_cast<JpegErrorManager*>(cinfo->err)->jump, 1);
}

// Readers and writers report nothing themselves.
void OnJpegMessage(j_common_ptr) {}

void OnJpegProgress(j_common_ptr cinfo) {
    const auto* dinfo = reinterpret_cast<j_decompress_ptr>(cinfo);
    if (cinfo->is_decompressor && dinfo->input_scan_number > kMaxScans) {
        OnJpegError(cinfo);
    }
}

void InstallErrorManager(JpegErrorManager& err) {
    jpeg_std_error(&err.pub);
    err.pub.error_exit = OnJpegError;
    err.pub.output_message = OnJpegMessage;
}

// Sizes the block for the image the header announces: false when it breaks
// the limits or the input cannot hold it. Every 8 × 8 block of a
// Huffman-coded picture takes at least one bit, so a short file declaring a
// large picture is refused before the picture is allocated; arithmetic coding
// can go below that and is bounded by the pixel limit alone.
bool AllocateFor(const jpeg_decompress_struct& cinfo, std::int64_t maxPixels,
                 std::uint64_t inputBytes, std::vector<std::uint8_t>& block) {
    const std::int64_t width = cinfo.output_width;
    const std::int64_t height = cinfo.output_height;
    if (!WithinPictureLimits(width, height, maxPixels)) {
        return false;
    }
    const std::uint64_t blocks = ((static_cast<std::uint64_t>(cinfo.image_width) + 7) / 8) *
                                 ((static_cast<std::uint64_t>(cinfo.image_height) + 7) / 8);
    if (!cinfo.arith_code && blocks / 8 > inputBytes) {
        return false;
    }
    const std::uint64_t stride = static_cast<std::uint64_t>(DibStride(24, width));
    block.assign(kDibInfoHeaderBytes + stride * static_cast<std::uint64_t>(height), 0);
    WriteInfoHeader(block.data(), static_cast<int>(width), static_cast<int>(height), 24, 0);
    return true;
}

// The whole decode. Library errors jump back to the setjmp here, so nothing
// with a destructor is created in this function.
bool Decode(jpeg_decompress_struct& cinfo, JpegErrorManager& err, std::int64_t maxPixels,
            std::uint64_t inputBytes, std::vector<std::uint8_t>& block) {
    if (setjmp(err.jump) != 0) {
        return false;
    }
    jpeg_read_header(&cinfo, TRUE);
    cinfo.out_color_space = JCS_EXT_BGR;
    jpeg_calc_output_dimensions(&cinfo);
    if (!AllocateFor(cinfo, maxPixels, inputBytes, block)) {
        return false;
    }
    jpeg_start_decompress(&cinfo);
    if (cinfo.output_components != kBgrComponents) {
        return false;
    }
    const std::size_t stride = static_cast<std::size_t>(DibStride(24, cinfo.output_width));
    std::uint8_t* const pixels = block.data() + kDibInfoHeaderBytes;
    const JDIMENSION height = cinfo.output_height;
    JSAMPROW rows[kRowBatch];
    while (cinfo.output_scanline < height) {
        const JDIMENSION first = cinfo.output_scanline;
        const JDIMENSION count = std::min<JDIMENSION>(kRowBatch, height - first);
        // File row i is image row height - 1 - i: the block is bottom-up.
        for (JDIMENSION i = 0; i < count; ++i) {
            rows[i] = pixels + (height - 1 - (first + i)) * stride;
        }
        jpeg_read_scanlines(&cinfo, rows, count);
    }
    jpeg_finish_decompress(&cinfo);
    return true;
}

template <typename SetSource>
std::vector<std::uint8_t> ReadWith(SetSource setSource, std::int64_t maxPixels,
                                   std::uint64_t inputBytes) {
    jpeg_decompress_struct cinfo{};
    JpegErrorManager err{};
    InstallErrorManager(err);
    cinfo.err = &err.pub;
    jpeg_progress_mgr progress{};
    progress.progress_monitor = OnJpegProgress;
    std::vector<std::uint8_t> block;
    bool ok = false;
    jpeg_create_decompress(&cinfo);
    cinfo.progress = &progress;
    setSource(cinfo);
    try {
        ok = Decode(cinfo, err, maxPixels, inputBytes, block);
    } catch (const std::bad_alloc&) {
        ok = false;
    }
    jpeg_destroy_decompress(&cinfo);
    if (!ok) {
        return {};
    }
    return block;
}

bool Encode(jpeg_compress_struct& cinfo, JpegErrorManager& err, const DibLayout& layout,
            const std::uint8_t* pixels) {
    if (setjmp(err.jump) != 0) {
        return false;
    }
    cinfo.image_width = static_cast<JDIMENSION>(layout.width);
    cinfo.image_height = static_cast<JDIMENSION>(layout.height);
    cinfo.input_components = kBgrComponents;
    cinfo.in_color_space = JCS_EXT_BGR;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, kQuality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    const JDIMENSION height = cinfo.image_height;
    JSAMPROW rows[kRowBatch];
    while (cinfo.next_scanline < height) {
        const JDIMENSION first = cinfo.next_scanline;
        const JDIMENSION count = std::min<JDIMENSION>(kRowBatch, height - first);
        // The library only reads the rows; its interface is not const.
        for (JDIMENSION i = 0; i < count; ++i) {
            rows[i] = const_cast<std::uint8_t*>(pixels) +
                      static_cast<std::size_t>(height - 1 - (first + i)) * layout.stride;
        }
        jpeg_write_scanlines(&cinfo, rows, count);
    }
    jpeg_finish_compress(&cinfo);
    return true;
}

}  // namespace

std::vector<std::uint8_t> ReadJpegDib(std::FILE* file, std::int64_t maxPixels) {
    if (file == nullptr) {
        return {};
    }
    const std::int64_t position = FilePosition(file);
    const std::int64_t size = FileSize(file);
    if (position < 0 || size < position || !SeekTo(file, position, SEEK_SET)) {
        return {};
    }
    return ReadWith([file](jpeg_decompress_struct& cinfo) { jpeg_stdio_src(&cinfo, file); },
                    maxPixels, static_cast<std::uint64_t>(size - position));
}

std::vector<std::uint8_t> ReadJpegDibBytes(const std::uint8_t* data, std::size_t size,
                                           std::int64_t maxPixels) {
    // libjpeg takes the size as an unsigned long, 32 bits on Windows.
    if (data == nullptr || size == 0 || size > std::numeric_limits<unsigned long>::max()) {
        return {};
    }
    return ReadWith(
        [data, size](jpeg_decompress_struct& cinfo) {
            jpeg_mem_src(&cinfo, data, static_cast<unsigned long>(size));
        },
        maxPixels, size);
}

bool WriteJpegDib(const std::vector<std::uint8_t>& block, std::FILE* file) {
    DibLayout layout;
    if (file == nullptr || !DescribeDib(block.data(), block.size(), layout) ||
        layout.IsCoreForm() || layout.bitsPerPixel != 24 || layout.compression != 0) {
        return false;
    }
    jpeg_compress_struct cinfo{};
    JpegErrorManager err{};
    InstallErrorManager(err);
    cinfo.err = &err.pub;
    jpeg_create_compress(&cinfo);
    jpeg_stdio_dest(&cinfo, file);
    const bool ok = Encode(cinfo, err, layout, block.data() + layout.pixelOffset);
    jpeg_destroy_compress(&cinfo);
    return ok;
}
