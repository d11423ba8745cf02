#pragma once
// What an exported product's values are and the words that describe them:
// the calibrated values with NaN where there is no value, their name and
// unit, and the product's satellite, channel and observation time as text.

#include <cstdint>
#include <string>
#include <vector>

class CGeoImage;
struct ProductDescription;

struct ProductBand {
    std::string description;   // "brightness temperature", "albedo", a grid's element
    std::string unit;          // UDUNITS: "K", "%", a grid's own
    std::string standardName;  // CF standard name; empty where CF has none that fits
    std::string variable;      // a NetCDF variable name
};

ProductBand BandOf(const ProductDescription& description);

// width × height calibrated values, top row first: the very values
// CalibratedValueAt gives, NaN for counts the table marks as no data (a
// temperature of 0 K or below, or no table entry at all). False when the
// product holds no values.
bool CalibratedValues(const CGeoImage& product, std::vector<float>& out);

// An image product's values as hundredths (the 16-bit table entries they
// are), noValue where CalibratedValues gives NaN, made from the counts in
// one table look-up. False for a grid product or a product without values.
bool PackedValues(const CGeoImage& product, std::uint16_t noValue, std::vector<std::uint16_t>& out);

// True when the product's table gives values at all (its calibration block
// was present): a product without one can be exported only as counts.
bool HasCalibration(const CGeoImage& product);

// "IR1" … "VIS", "GRID" for a grid product, "" for an unknown channel.
std::string ChannelCode(const ProductDescription& description);
// "2022-03-31T13:00:00Z"; empty when the header gives no valid time.
std::string ObservationIso(const ProductDescription& description);
// The satellite name as stored, without its padding.
std::string SatelliteName(const ProductDescription& description);
