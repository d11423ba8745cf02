#pragma once
// The description of one AWX product, filled from its two headers by
// CGeoImage::ReadProduct and printed field by field by the information text.

#include <cstdint>
#include <string>

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
};
