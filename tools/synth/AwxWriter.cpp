#include "synth/AwxWriter.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "geo/GeoConstants.h"
#include "platform/ByteOrder.h"
#include "platform/Utf8Path.h"
#include "product/AwxHeaders.h"
#include "synth/SynthCalibration.h"
#include "synth/SynthScene.h"

namespace {

constexpr double kKmPerDegree = kEarthRadiusKm / kRadToDeg;
constexpr int kEqualLatLon = 1;

int Centi(double value) {
    return static_cast<int>(std::clamp(std::lround(value * 100.0), -32768L, 32767L));
}

double DegreesPerPixel(const AwxWriterOptions& o) {
    return o.projection == kEqualLatLon ? o.resolution : o.resolution / kKmPerDegree;
}

// The edges of the first and last pixels' centres.
AwxEdges EdgesOf(const AwxWriterOptions& o) {
    const double deg = DegreesPerPixel(o);
    return AwxEdges{
        o.centerLat + 0.5 * (o.height - 1) * deg, o.centerLat - 0.5 * (o.height - 1) * deg,
        o.centerLon - 0.5 * (o.width - 1) * deg, o.centerLon + 0.5 * (o.width - 1) * deg};
}

// Days from 1970-01-01 of a civil date (H. Hinnant's algorithm).
long DaysFromCivil(int y, int m, int d) {
    y -= m <= 2 ? 1 : 0;
    const long era = (y >= 0 ? y : y - 399) / 400;
    const long yoe = y - era * 400;
    const long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void PutChars(std::uint8_t* p, std::size_t size, const std::string& text, char pad) {
    std::memset(p, pad, size);
    std::memcpy(p, text.data(), std::min(size, text.size()));
}

struct Layout {
    int recordLength = 0;
    int headerRecords = 0;
    std::size_t dataOffset = 0;
};

Layout ChooseLayout(const AwxWriterOptions& o) {
    const std::size_t headers = kAwxHeadersSize + (o.calibration ? kAwxCalibrationSize : 0);
    Layout l;
    l.recordLength = o.recordLength > 0 ? o.recordLength : std::max(o.width, 1);
    l.headerRecords = o.headerRecords > 0
                          ? o.headerRecords
                          : static_cast<int>((headers + l.recordLength - 1) / l.recordLength);
    l.dataOffset = static_cast<std::size_t>(l.recordLength) * l.headerRecords;
    return l;
}

void WriteFirstHeader(std::uint8_t* p, const AwxWriterOptions& o, const Layout& l) {
    const std::size_t second = kAwxSecondHeaderSize + (o.calibration ? kAwxCalibrationSize : 0);
    const std::string tag = ChannelName(o.channel).empty() ? "X" : std::to_string(o.channel);
    PutChars(p, 12, "SYNCH" + tag + ".AWX", '\0');
    WriteInt16LE(p + 12, 0);  // little-endian integers
    WriteInt16LE(p + 14, kAwxFirstHeaderSize);
    WriteInt16LE(p + 16, static_cast<std::int32_t>(second));
    const long fill = static_cast<long>(l.dataOffset) - kAwxFirstHeaderSize - second;
    WriteInt16LE(p + 18, static_cast<std::int32_t>(std::max(fill, 0L)));
    WriteInt16LE(p + 20, l.recordLength);
    WriteInt16LE(p + 22, l.headerRecords);
    WriteInt16LE(p + 24, o.height);
    WriteInt16LE(p + 26, kAwxGeoImageCategory);
    WriteInt16LE(p + 28, 0);  // uncompressed
    const bool sat96 = o.edition.find("SAT96") != std::string::npos;
    PutChars(p + 30, 8, o.edition, sat96 ? ' ' : '\0');
    WriteInt16LE(p + 38, 0);
}

void WriteSecondHeader(std::uint8_t* p, const AwxWriterOptions& o) {
    PutChars(p, 8, o.satelliteName, '\0');
    WriteInt16LE(p + 8, o.year);
    WriteInt16LE(p + 10, o.month);
    WriteInt16LE(p + 12, o.day);
    WriteInt16LE(p + 14, o.hour);
    WriteInt16LE(p + 16, o.minute);
    WriteInt16LE(p + 18, std::max(AwxFileChannel(o.channel), 0));
    WriteInt16LE(p + 20, std::max(AwxFileProjection(o.projection), 0));
    WriteInt16LE(p + 22, o.width);
    WriteInt16LE(p + 24, o.height);
    WriteInt16LE(p + 26, 1);  // upper-left scan line
    WriteInt16LE(p + 28, 1);  // upper-left pixel
    WriteInt16LE(p + 30, 1);  // sampling rate
    const AwxEdges edges = o.edges.value_or(EdgesOf(o));
    WriteInt16LE(p + 32, Centi(edges.north));
    WriteInt16LE(p + 34, Centi(edges.south));
    WriteInt16LE(p + 36, Centi(edges.west));
    WriteInt16LE(p + 38, Centi(edges.east));
    WriteInt16LE(p + 40, Centi(o.centerLat));
    WriteInt16LE(p + 42, Centi(o.centerLon));
    WriteInt16LE(p + 44, Centi(o.stdLat1));
    WriteInt16LE(p + 46, Centi(o.stdLat2));
    const int resolution = AwxResolutionField(o.resolution);
    WriteInt16LE(p + 48, resolution);
    WriteInt16LE(p + 50, resolution);
    WriteInt16LE(p + 52, 0);  // no geographic grid overlay
    WriteInt16LE(p + 54, 0);
    WriteInt16LE(p + 56, 0);  // no palette block
    WriteInt16LE(p + 58, o.calibration ? static_cast<std::int32_t>(kAwxCalibrationSize) : 0);
    WriteInt16LE(p + 60, 0);
    WriteInt16LE(p + 62, 0);
}

void WriteCalibration(std::uint8_t* p, int channel) {
    const auto entries = SynthCalibrationEntries(channel);
    for (std::size_t k = 0; k < entries.size(); ++k) {
        WriteInt16LE(p + 2 * k, entries[k]);
    }
}

}  // namespace

double HoursSinceEpoch2000(int year, int month, int day, int hour, int minute) {
    const long days = DaysFromCivil(year, month, day) - DaysFromCivil(2000, 1, 1);
    return days * 24.0 + hour + minute / 60.0;
}

int AwxResolutionField(double resolution) {
    return Centi(resolution);
}

std::vector<std::uint8_t> MakeAwxProduct(const AwxWriterOptions& o) {
    const Layout layout = ChooseLayout(o);
    const std::size_t pixels = static_cast<std::size_t>(std::max(o.width, 0)) *
                               static_cast<std::size_t>(std::max(o.height, 0));
    const std::size_t headers = kAwxHeadersSize + (o.calibration ? kAwxCalibrationSize : 0);
    const std::size_t dataOffset = std::max(layout.dataOffset, headers);
    std::vector<std::uint8_t> bytes(dataOffset + pixels + o.trailingBytes, 0);
    WriteFirstHeader(bytes.data(), o, layout);
    WriteSecondHeader(bytes.data() + kAwxFirstHeaderSize, o);
    if (o.calibration) {
        WriteCalibration(bytes.data() + kAwxCalibrationOffset, o.channel);
    }
    SynthGrid grid{o.width, o.height, o.centerLon, o.centerLat, DegreesPerPixel(o)};
    const double t =
        o.timeHours.value_or(HoursSinceEpoch2000(o.year, o.month, o.day, o.hour, o.minute));
    const std::vector<std::uint8_t> counts = CSynthScene(o.seed, grid, t).RenderCounts(o.channel);
    std::copy(counts.begin(), counts.end(),
              bytes.begin() + static_cast<std::ptrdiff_t>(dataOffset));
    // Trailing bytes are a recognisable pattern rather than zeros.
    for (std::size_t k = 0; k < o.trailingBytes; ++k) {
        bytes[dataOffset + pixels + k] = static_cast<std::uint8_t>(0xA5 ^ k);
    }
    return bytes;
}

bool WriteBytesToPath(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::FILE* file = OpenUtf8File(path, "wb");
    if (!file) {
        return false;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

bool WriteAwxProduct(const std::string& path, const AwxWriterOptions& options) {
    return WriteBytesToPath(path, MakeAwxProduct(options));
}
