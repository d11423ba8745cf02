// CGeoImage::ReadProduct: headers, calibration table and calibrated image of
// one AWX product, then the projection set-up for it.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <memory>
#include <new>
#include <vector>

#include "platform/ByteOrder.h"
#include "product/AwxFileAccess.h"
#include "product/AwxHeaders.h"
#include "product/CGeoImage.h"

namespace {

constexpr double kCentiUnit = 0.01;
// Equal latitude/longitude resolutions above this are taken as still being
// in hundredths (header value 500 and 5 both mean 0.05 degree).
constexpr float kLargestDegreeResolution = 1.0f;

float Centi(std::int16_t value) {
    return static_cast<float>(value * kCentiUnit);
}

void FillDescription(const AwxSecondHeader& h, ProductDescription& d) {
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

// Walks the counts yielding their calibrated values, so the image vector is
// built in one pass straight from the counts, without first zero-filling it.
class CCalibratedIterator {
public:
    using iterator_category = std::random_access_iterator_tag;
    using value_type = float;
    using difference_type = std::ptrdiff_t;
    using pointer = const float*;
    using reference = float;

    CCalibratedIterator(const std::uint8_t* count, const float* table)
        : m_count(count), m_table(table) {}
    float operator*() const { return m_table[*m_count]; }
    float operator[](difference_type n) const { return m_table[m_count[n]]; }
    CCalibratedIterator& operator++() {
        ++m_count;
        return *this;
    }
    CCalibratedIterator operator++(int) {
        CCalibratedIterator before = *this;
        ++m_count;
        return before;
    }
    CCalibratedIterator& operator--() {
        --m_count;
        return *this;
    }
    CCalibratedIterator& operator+=(difference_type n) {
        m_count += n;
        return *this;
    }
    CCalibratedIterator operator+(difference_type n) const {
        return CCalibratedIterator(m_count + n, m_table);
    }
    difference_type operator-(const CCalibratedIterator& other) const {
        return m_count - other.m_count;
    }
    bool operator==(const CCalibratedIterator& other) const { return m_count == other.m_count; }
    bool operator!=(const CCalibratedIterator& other) const { return m_count != other.m_count; }
    bool operator<(const CCalibratedIterator& other) const { return m_count < other.m_count; }

private:
    const std::uint8_t* m_count;
    const float* m_table;
};

// Size of one read of counts.
constexpr std::size_t kChunkBytes = 256 * 1024;

// The width × height counts at the header-record offset, calibrated chunk by
// chunk. The whole block must lie inside the file, which is checked before
// anything is allocated, so a hostile header cannot make a large allocation.
bool ReadCalibratedImage(std::FILE* file, const AwxFirstHeader& first, std::size_t count,
                         const std::array<float, 256>& table,
                         std::shared_ptr<const std::vector<float>>& out) {
    const std::int64_t offset = AwxDataOffset(first);
    const std::int64_t size = FileSize(file);
    if (offset < 0 || size < 0 || offset > size ||
        static_cast<std::int64_t>(count) > size - offset || !SeekTo(file, offset, SEEK_SET)) {
        return false;
    }
    try {
        std::vector<std::uint8_t> chunk(std::min(count, kChunkBytes));
        std::vector<float> image;
        image.reserve(count);
        for (std::size_t done = 0; done < count; done += chunk.size()) {
            const std::size_t n = std::min(chunk.size(), count - done);
            if (!ReadExactly(file, chunk.data(), n)) {
                return false;
            }
            const CCalibratedIterator begin(chunk.data(), table.data());
            image.insert(image.end(), begin, begin + static_cast<std::ptrdiff_t>(n));
        }
        out = std::make_shared<const std::vector<float>>(std::move(image));
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

}  // namespace

bool CGeoImage::ReadProduct(const std::string& path) {
    productLoaded = 0;
    UniqueStdFile file = OpenForReading(path);
    AwxFirstHeader first;
    AwxSecondHeader second;
    if (!file || !ReadAwxHeaders(file.get(), first, second)) {
        return false;
    }
    FillDescription(second, m_description);
    m_calibration = ReadCalibration(file.get(), second, m_description.channel);

    // Copies of this product keep the previous image; this one lets it go.
    m_calibrated.reset();
    const std::size_t count = static_cast<std::size_t>(second.width) * second.height;
    if (!AwxSizeWithinLimits(second) ||
        !ReadCalibratedImage(file.get(), first, count, m_calibration, m_calibrated)) {
        return false;
    }
    file.reset();

    ApplyDegreeResolutionRule(m_description);
    const ProductDescription& d = m_description;
    if (SetUpProjection(d.projection, d.centerLon, d.centerLat, d.verticalResolution, d.width,
                        d.height, d.stdLat1, d.stdLat2, m_params) < 0) {
        return false;
    }
    ComputeExtent();
    productLoaded = 1;
    return true;
}
