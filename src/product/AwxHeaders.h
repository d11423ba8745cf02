#pragma once
// The two fixed headers at the start of every AWX product file, the checks
// both readers and the lists make on them, and the tables that turn the
// file's channel and projection numbers into the system's own codes.
//
// Fields are parsed one by one from little-endian bytes, so neither the host
// byte order nor struct padding matters. The file's byte-order field is kept
// but never consulted: every product seen in practice is little-endian.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

constexpr std::size_t kAwxFirstHeaderSize = 40;
constexpr std::size_t kAwxSecondHeaderSize = 64;
constexpr std::size_t kAwxHeadersSize = kAwxFirstHeaderSize + kAwxSecondHeaderSize;
// The calibration block always follows the second header directly.
constexpr std::size_t kAwxCalibrationOffset = kAwxHeadersSize;
constexpr std::size_t kAwxCalibrationSize = 2048;
constexpr int kAwxCalibrationEntries = 1024;
// Geostationary satellite image: the only category this system reads.
constexpr std::int16_t kAwxGeoImageCategory = 1;

// Projection code of a file projection number outside the known table; the
// projection set-up refuses it, so such a product never loads.
constexpr int kUnknownProjection = 0xFFFF;

struct AwxFirstHeader {
    std::array<char, 12> fileName{};
    std::int16_t byteOrder = 0;
    std::int16_t firstHeaderLength = 0;
    std::int16_t secondHeaderLength = 0;
    std::int16_t fillLength = 0;
    std::int16_t recordLength = 0;
    std::int16_t headerRecords = 0;
    std::int16_t dataRecords = 0;
    std::int16_t category = 0;
    std::int16_t compression = 0;
    std::array<char, 8> formatId{};
    std::int16_t qualityFlag = 0;
};

// Second header of a category 1 product. Angles and resolutions are stored
// in units of 0.01 degree and 0.01 km.
struct AwxSecondHeader {
    std::array<char, 8> satelliteName{};
    std::int16_t year = 0;
    std::int16_t month = 0;
    std::int16_t day = 0;
    std::int16_t hour = 0;
    std::int16_t minute = 0;
    std::int16_t channel = 0;     // file numbering; see MapAwxChannel
    std::int16_t projection = 0;  // file numbering; see MapAwxProjection
    std::uint16_t width = 0;
    std::uint16_t height = 0;
    std::int16_t upperLeftLine = 0;
    std::int16_t upperLeftPixel = 0;
    std::int16_t samplingRate = 0;
    std::int16_t northBound = 0;
    std::int16_t southBound = 0;
    std::int16_t westBound = 0;
    std::int16_t eastBound = 0;
    std::int16_t centerLat = 0;
    std::int16_t centerLon = 0;
    std::int16_t stdLat1 = 0;
    std::int16_t stdLat2 = 0;
    std::int16_t horizontalResolution = 0;
    std::int16_t verticalResolution = 0;
    std::int16_t gridFlag = 0;
    std::int16_t gridValue = 0;
    std::int16_t paletteLength = 0;
    std::int16_t calibrationLength = 0;
    std::int16_t geolocationLength = 0;
    std::int16_t reserved = 0;
};

// bytes must hold kAwxFirstHeaderSize bytes.
AwxFirstHeader ParseAwxFirstHeader(const std::uint8_t* bytes);
// bytes must hold kAwxSecondHeaderSize bytes.
AwxSecondHeader ParseAwxSecondHeader(const std::uint8_t* bytes);

// "SAT2004" followed by a zero byte, or "SAT96" anywhere in the 8 bytes.
bool IsAwxFormatIdentifier(const std::array<char, 8>& formatId);
// The first-level checks every reader and list makes: identifier and category 1.
bool PassesAwxFirstChecks(const AwxFirstHeader& header);

// Image data offset used by the product reader: header records × record length.
// Negative when either field is negative.
std::int64_t AwxDataOffset(const AwxFirstHeader& header);

// The satellite name as stored: the bytes before the first NUL, at most 8.
std::string AwxSatelliteName(const AwxSecondHeader& header);

// File channel number -> channel code (1 infrared 1, 2 infrared 2, 3 water
// vapour, 4 infrared 3, 5 visible); numbers outside 0-5 give 0.
int MapAwxChannel(int fileChannel);
// Whether a file channel number is one the table knows (0-5).
bool IsKnownAwxChannel(int fileChannel);
// File projection number -> projection code; outside 0-5 kUnknownProjection.
int MapAwxProjection(int fileProjection);
// The inverse tables, for writers: code -> file number (codes outside the
// tables give -1).
int AwxFileChannel(int channelCode);
int AwxFileProjection(int projectionCode);

// "红外一" … "可见光" for codes 1-5, "" otherwise.
std::string ChannelName(int channelCode);
// "圆盘图" … "艾尔伯斯" for codes 0-5, "未知" otherwise.
std::string ProjectionName(int projectionCode);
