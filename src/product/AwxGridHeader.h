#pragma once
// The second header of an AWX grid product (category 3): quantitative fields
// such as brightness temperature, cloud amount or precipitation on a regular
// longitude/latitude grid. The satellite name, then 36 little-endian int16
// fields; angles and spacings in hundredths of a degree.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "product/AwxHeaders.h"

constexpr std::int16_t kAwxGridCategory = 3;
constexpr std::size_t kAwxGridHeaderSize = 80;
constexpr std::size_t kAwxGridHeadersSize = kAwxFirstHeaderSize + kAwxGridHeaderSize;
// The only spacing unit read: hundredths of a degree (1 is km, 2 is m).
constexpr std::int16_t kAwxGridCentiDegreeUnit = 0;

struct AwxGridHeader {
    std::array<char, 8> satelliteName{};
    std::int16_t element = 0;
    std::int16_t bytesPerValue = 0;
    std::int16_t baseValue = 0;
    std::int16_t scaleFactor = 0;
    std::int16_t timeRange = 0;
    std::int16_t startYear = 0;
    std::int16_t startMonth = 0;
    std::int16_t startDay = 0;
    std::int16_t startHour = 0;
    std::int16_t startMinute = 0;
    std::int16_t endYear = 0;
    std::int16_t endMonth = 0;
    std::int16_t endDay = 0;
    std::int16_t endHour = 0;
    std::int16_t endMinute = 0;
    // The first grid point (north-west) and the last (south-east).
    std::int16_t topLat = 0;
    std::int16_t leftLon = 0;
    std::int16_t bottomLat = 0;
    std::int16_t rightLon = 0;
    std::int16_t spacingUnit = 0;
    std::int16_t columnSpacing = 0;
    std::int16_t rowSpacing = 0;
    std::int16_t columns = 0;
    std::int16_t rows = 0;
    // Land, cloud, water and ice: a flag and the stored value that marks them.
    std::array<std::int16_t, 8> surfaceFlags{};
    std::int16_t qualityFlag = 0;
    std::int16_t qualityUpper = 0;
    std::int16_t qualityLower = 0;
    std::int16_t spare = 0;
};

// bytes must hold kAwxGridHeaderSize bytes.
AwxGridHeader ParseAwxGridHeader(const std::uint8_t* bytes);

// A grid product's first header: a known identifier and category 3.
bool IsAwxGridFile(const AwxFirstHeader& first);

// What is wrong with a grid product's headers for a file of fileSize bytes,
// naming the field (Chinese); empty when the grid can be read: spacing in
// hundredths of a degree, a scale factor, 1, 2 or 4 bytes a value, counts
// within kAwxMaxSide that agree with the spacing and the corners, records
// long enough for a row and a file that holds them all. Row r starts at
// header records × record length + r × record length.
std::string AwxGridRefusal(const AwxFirstHeader& first, const AwxGridHeader& grid,
                           std::int64_t fileSize);

// Why a category other than 1 and 3 is not read (naming it), or "".
std::string AwxCategoryRefusal(const AwxFirstHeader& first);
