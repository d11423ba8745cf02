#pragma once
// The description of one AWX product, filled from its two headers by
// CGeoImage::ReadProduct and printed field by field by the information text.

#include <cstdint>
#include <string>

// What only a grid product (category 3) carries.
struct GridDescription {
    int element = 0;
    int bytesPerValue = 0;
    int baseValue = 0;
    int scaleFactor = 0;
    int timeRange = 0;
    // The end of the time range; its start is the description's time.
    int endYear = 0;
    int endMonth = 0;
    int endDay = 0;
    int endHour = 0;
    int endMinute = 0;
    // The first (north-west) and last (south-east) grid points, degrees.
    float topLat = 0.0f;
    float leftLon = 0.0f;
    float bottomLat = 0.0f;
    float rightLon = 0.0f;
    // The range the picture's counts span.
    float displayLow = 0.0f;
    float displayHigh = 0.0f;
};

struct ProductDescription {
    std::string fileId;         // "SEC" after an AWX read; empty before any
    std::string version;        // "10" after an AWX read
    std::string satelliteName;  // at most 8 bytes, as stored (GBK/ASCII)
    std::uint16_t dataType = 0;
    std::uint16_t channel = 0;  // channel code 0-5 (1 infrared 1 … 5 visible)
    std::uint16_t year = 0;
    std::uint16_t month = 0;
    std::uint16_t day = 0;
    std::uint16_t hour = 0;
    std::uint16_t minute = 0;
    std::uint16_t projection = 0;  // projection code; see ProjectionType
    std::uint16_t width = 0;
    std::uint16_t height = 0;
    float centerLon = 0.0f;
    float centerLat = 0.0f;
    float horizontalResolution = 0.0f;
    float verticalResolution = 0.0f;
    float stdLat1 = 0.0f;
    float stdLat2 = 0.0f;
    float stdLon = 0.0f;
    // The resolutions were worked out from the image's edge fields, which
    // alone fit the picture; the information text says so.
    bool resolutionFromEdges = false;
    // 1 for a satellite image, 3 for a grid product (channel 0, the grid's
    // values in grid).
    int category = 1;
    GridDescription grid;
    bool IsGrid() const { return category == 3; }
};
