// CGeoImage::ReadProduct: headers, calibration table and counts of one AWX
// image product, then the projection set-up for it; grid products are read
// in CGeoImageReadGrid.cpp.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>
#include <vector>

#include "platform/ByteOrder.h"
#include "product/AwxFileAccess.h"
#include "product/AwxGridHeader.h"
#include "product/AwxHeaders.h"
#include "product/CGeoImage.h"
#include "product/CGeoImageCounts.h"
#include "product/EdgeGeolocation.h"

namespace {

constexpr double kCentiUnit = 0.01;
// Equal latitude/longitude resolutions above this are taken as still being
// in hundredths (header value 500 and 5 both mean 0.05 degree).
constexpr float kLargestDegreeResolution = 1.0f;

float Centi(std::int16_t value) {
    return static_cast<float>(value * kCentiUnit);
}

void FillDescription(const AwxSecondHeader& h, ProductDescription& d) {
    d = ProductDescription{};
    d.fileId = "SEC";
    d.version = "10";
    d.satelliteName = AwxSatelliteName(h);
    d.dataType = 0;
    d.channel = static_cast<std::uint16_t>(MapAwxChannel(h.channel));
    d.year = static_cast<std::uint16_t>(h.year);
    d.month = static_cast<std::uint16_t>(h.month);
    d.day = static_cast<std::uint16_t>(h.day);
    d.hour = static_cast<std::uint16_t>(h.hour);
    d.minute = static_cast<std::uint16_t>(h.minute);
    d.projection = static_cast<std::uint16_t>(MapAwxProjection(h.projection));
    d.width = h.width;
    d.height = h.height;
    d.centerLon = Centi(h.centerLon);
    d.centerLat = Centi(h.centerLat);
    d.horizontalResolution = Centi(h.horizontalResolution);
    d.verticalResolution = Centi(h.verticalResolution);
    d.stdLat1 = Centi(h.stdLat1);
    d.stdLat2 = Centi(h.stdLat2);
    d.stdLon = d.centerLon;
}

constexpr int kVisibleChannelCode = 5;
constexpr int kVisibleAlbedoEntries = 64;

std::uint16_t Entry(const std::array<std::uint8_t, kAwxCalibrationSize>& block, int k) {
    return ReadUInt16LE(block.data() + 2 * k);
}

// Real visible products carry 64 albedo entries, one per step of 4 counts,
// and nothing after them.
bool IsAlbedoTable(const std::array<std::uint8_t, kAwxCalibrationSize>& block) {
    for (int k = kVisibleAlbedoEntries; k < kAwxCalibrationEntries; ++k) {
        if (Entry(block, k) != 0) {
            return false;
        }
    }
    return true;
}

// The calibrated value of count v is entry 4·v of the block (byte 8·v); a
// visible product's albedo table is looked up as entry v / 4.
std::array<float, 256> BuildCalibration(const std::array<std::uint8_t, kAwxCalibrationSize>& block,
                                        int channel) {
    const bool albedo = channel == kVisibleChannelCode && IsAlbedoTable(block);
    std::array<float, 256> table{};
    for (int v = 0; v < 256; ++v) {
        table[v] = static_cast<float>(Entry(block, albedo ? v / 4 : 4 * v) * kCentiUnit);
    }
    return table;
}

// A block shorter than 2048 bytes leaves the rest of the table at zero.
std::array<float, 256> ReadCalibration(std::FILE* file, const AwxSecondHeader& second,
                                       int channel) {
    std::array<std::uint8_t, kAwxCalibrationSize> block{};
    if (second.calibrationLength == static_cast<std::int16_t>(kAwxCalibrationSize)) {
        const std::size_t got = std::fread(block.data(), 1, block.size(), file);
        (void)got;
    }
    return BuildCalibration(block, channel);
}

// The width × height counts at the header-record offset. The whole block
// must lie inside the file, which is checked before anything is allocated, so
// a hostile header cannot make a large allocation. When the block ends the
// file it is the image reader's block too, so counts already read from this
// file are taken instead of reading them again.
// True when the width × height counts at the header-record offset lie inside
// the file.
bool CountsWithinFile(std::FILE* file, const AwxFirstHeader& first, const AwxSecondHeader& second) {
    const std::size_t count = static_cast<std::size_t>(second.width) * second.height;
    const std::int64_t offset = AwxDataOffset(first);
    const std::int64_t size = FileSize(file);
    return offset >= 0 && size >= 0 && offset <= size &&
           static_cast<std::int64_t>(count) <= size - offset;
}

bool ReadCounts(std::FILE* file, const AwxFirstHeader& first, const AwxSecondHeader& second,
                const SharedCounts* sameFile, SharedCounts& out) {
    const std::size_t count = static_cast<std::size_t>(second.width) * second.height;
    const std::int64_t offset = AwxDataOffset(first);
    const std::int64_t size = FileSize(file);
    if (!CountsWithinFile(file, first, second)) {
        return false;
    }
    out.width = second.width;
    out.height = second.height;
    out.rowStride = second.width;
    if (sameFile != nullptr && sameFile->topRow != nullptr && sameFile->width == out.width &&
        sameFile->height == out.height && static_cast<std::int64_t>(count) == size - offset) {
        out = *sameFile;
        return true;
    }
    if (!SeekTo(file, offset, SEEK_SET)) {
        return false;
    }
    try {
        std::shared_ptr<std::uint8_t[]> counts =
            std::make_shared_for_overwrite<std::uint8_t[]>(count);
        if (!ReadExactly(file, counts.get(), count)) {
            return false;
        }
        out.topRow = counts.get();
        out.owner = std::move(counts);
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

void ApplyDegreeResolutionRule(ProductDescription& d) {
    if (d.projection != EqualLatLon) {
        return;
    }
    if (d.horizontalResolution > kLargestDegreeResolution) {
        d.horizontalResolution = static_cast<float>(d.horizontalResolution * kCentiUnit);
    }
    if (d.verticalResolution > kLargestDegreeResolution) {
        d.verticalResolution = static_cast<float>(d.verticalResolution * kCentiUnit);
    }
}

// The projection record of an image product: by its resolution fields, or
// by its edges when only they fit the picture (then the description shows
// the spacings the edges give).
int SetUpImageProjection(const AwxSecondHeader& second, ProductDescription& d,
                         ProjectionParams& out) {
    ApplyDegreeResolutionRule(d);
    EdgeGrid edges;
    if (EdgesOverrideResolution(second, d, edges) && SetUpFromEdges(edges, out) == 0) {
        d.horizontalResolution = static_cast<float>(edges.lonStep);
        d.verticalResolution = static_cast<float>(edges.latStep);
        d.resolutionFromEdges = true;
        return 0;
    }
    return CGeoImage::SetUpProjection(d.projection, d.centerLon, d.centerLat, d.verticalResolution,
                                      d.width, d.height, d.stdLat1, d.stdLat2, out);
}

}  // namespace

bool CGeoImage::ReadProduct(const std::string& path) {
    return ReadProduct(path, nullptr);
}

bool CGeoImage::ReadProductHeaders(const std::string& path) {
    return Read(path, nullptr, false);
}

bool CGeoImage::ReadProduct(const std::string& path, const SharedCounts* sameFile) {
    return Read(path, sameFile, true);
}

bool CGeoImage::Read(const std::string& path, const SharedCounts* sameFile, bool withCounts) {
    productLoaded = 0;
    m_strReadRefusal.clear();
    UniqueStdFile file = OpenForReading(path);
    AwxFirstHeader first;
    AwxSecondHeader second;
    if (!file) {
        return false;
    }
    if (!ReadAwxHeaders(file.get(), first, second)) {
        if (IsAwxGridFile(first)) {
            return ReadGridProduct(file.get());
        }
        m_strReadRefusal = AwxCategoryRefusal(first);
        return false;
    }
    FillDescription(second, m_description);
    m_calibration = ReadCalibration(file.get(), second, m_description.channel);

    // Copies of this product keep the previous counts; this one lets them go.
    m_pCounts.reset();
    SharedCounts counts;
    if (!AwxSizeWithinLimits(second) || !CountsWithinFile(file.get(), first, second)) {
        return false;
    }
    if (withCounts) {
        if (!ReadCounts(file.get(), first, second, sameFile, counts)) {
            return false;
        }
        try {
            m_pCounts = std::make_shared<const CCountsStore>(
                CCountsStore{std::move(counts), nullptr, false});
        } catch (const std::bad_alloc&) {
            return false;
        }
    }
    file.reset();

    if (SetUpImageProjection(second, m_description, m_params) < 0) {
        return false;
    }
    ComputeExtent();
    productLoaded = 1;
    return true;
}
