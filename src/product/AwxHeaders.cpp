#include "product/AwxHeaders.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "platform/ByteOrder.h"

namespace {

constexpr int kMappedCount = 6;
// Index: file number; value: the system's code.
constexpr std::array<int, kMappedCount> kChannelCodes = {0, 1, 3, 2, 5, 4};
constexpr std::array<int, kMappedCount> kProjectionCodes = {0, 3, 2, 4, 1, 5};

constexpr std::array<const char*, 6> kChannelNames = {"",     "红外一", "红外二",
                                                      "水汽", "红外三", "可见光"};
constexpr std::array<const char*, 6> kProjectionNames = {"圆盘图", "等经纬度", "麦卡托",
                                                         "兰伯托", "极射赤面", "艾尔伯斯"};

template <std::size_t N>
std::array<char, N> CopyChars(const std::uint8_t* p) {
    std::array<char, N> out{};
    std::memcpy(out.data(), p, N);
    return out;
}

// The file number whose mapped code is code, or -1.
int InverseOf(const std::array<int, kMappedCount>& table, int code) {
    const auto it = std::find(table.begin(), table.end(), code);
    return it == table.end() ? -1 : static_cast<int>(it - table.begin());
}

}  // namespace

AwxFirstHeader ParseAwxFirstHeader(const std::uint8_t* p) {
    AwxFirstHeader h;
    h.fileName = CopyChars<12>(p);
    h.byteOrder = ReadInt16LE(p + 12);
    h.firstHeaderLength = ReadInt16LE(p + 14);
    h.secondHeaderLength = ReadInt16LE(p + 16);
    h.fillLength = ReadInt16LE(p + 18);
    h.recordLength = ReadInt16LE(p + 20);
    h.headerRecords = ReadInt16LE(p + 22);
    h.dataRecords = ReadInt16LE(p + 24);
    h.category = ReadInt16LE(p + 26);
    h.compression = ReadInt16LE(p + 28);
    h.formatId = CopyChars<8>(p + 30);
    h.qualityFlag = ReadInt16LE(p + 38);
    return h;
}

AwxSecondHeader ParseAwxSecondHeader(const std::uint8_t* p) {
    AwxSecondHeader h;
    h.satelliteName = CopyChars<8>(p);
    h.year = ReadInt16LE(p + 8);
    h.month = ReadInt16LE(p + 10);
    h.day = ReadInt16LE(p + 12);
    h.hour = ReadInt16LE(p + 14);
    h.minute = ReadInt16LE(p + 16);
    h.channel = ReadInt16LE(p + 18);
    h.projection = ReadInt16LE(p + 20);
    h.width = ReadUInt16LE(p + 22);
    h.height = ReadUInt16LE(p + 24);
    h.upperLeftLine = ReadInt16LE(p + 26);
    h.upperLeftPixel = ReadInt16LE(p + 28);
    h.samplingRate = ReadInt16LE(p + 30);
    h.northBound = ReadInt16LE(p + 32);
    h.southBound = ReadInt16LE(p + 34);
    h.westBound = ReadInt16LE(p + 36);
    h.eastBound = ReadInt16LE(p + 38);
    h.centerLat = ReadInt16LE(p + 40);
    h.centerLon = ReadInt16LE(p + 42);
    h.stdLat1 = ReadInt16LE(p + 44);
    h.stdLat2 = ReadInt16LE(p + 46);
    h.horizontalResolution = ReadInt16LE(p + 48);
    h.verticalResolution = ReadInt16LE(p + 50);
    h.gridFlag = ReadInt16LE(p + 52);
    h.gridValue = ReadInt16LE(p + 54);
    h.paletteLength = ReadInt16LE(p + 56);
    h.calibrationLength = ReadInt16LE(p + 58);
    h.geolocationLength = ReadInt16LE(p + 60);
    h.reserved = ReadInt16LE(p + 62);
    return h;
}

bool IsAwxFormatIdentifier(const std::array<char, 8>& formatId) {
    static constexpr char kSat2004[8] = {'S', 'A', 'T', '2', '0', '0', '4', '\0'};
    if (std::memcmp(formatId.data(), kSat2004, sizeof kSat2004) == 0) {
        return true;
    }
    // The whole field is searched, blanks and zero bytes included.
    const std::string_view field(formatId.data(), formatId.size());
    return field.find("SAT96") != std::string_view::npos;
}

bool PassesAwxFirstChecks(const AwxFirstHeader& header) {
    return IsAwxFormatIdentifier(header.formatId) && header.category == kAwxGeoImageCategory;
}

std::int64_t AwxDataOffset(const AwxFirstHeader& header) {
    if (header.headerRecords < 0 || header.recordLength < 0) {
        return -1;
    }
    return static_cast<std::int64_t>(header.headerRecords) * header.recordLength;
}

std::string AwxSatelliteName(const AwxSecondHeader& header) {
    const auto& name = header.satelliteName;
    const auto end = std::find(name.begin(), name.end(), '\0');
    return std::string(name.begin(), end);
}

bool IsKnownAwxChannel(int fileChannel) {
    return fileChannel >= 0 && fileChannel < kMappedCount;
}

int MapAwxChannel(int fileChannel) {
    return IsKnownAwxChannel(fileChannel) ? kChannelCodes[fileChannel] : 0;
}

int MapAwxProjection(int fileProjection) {
    if (fileProjection < 0 || fileProjection >= kMappedCount) {
        return kUnknownProjection;
    }
    return kProjectionCodes[fileProjection];
}

int AwxFileChannel(int channelCode) {
    return InverseOf(kChannelCodes, channelCode);
}

int AwxFileProjection(int projectionCode) {
    return InverseOf(kProjectionCodes, projectionCode);
}

std::string ChannelName(int channelCode) {
    if (channelCode < 0 || channelCode >= static_cast<int>(kChannelNames.size())) {
        return std::string();
    }
    return kChannelNames[channelCode];
}

std::string ProjectionName(int projectionCode) {
    if (projectionCode < 0 || projectionCode >= static_cast<int>(kProjectionNames.size())) {
        return "未知";
    }
    return kProjectionNames[projectionCode];
}
