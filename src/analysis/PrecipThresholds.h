#pragma once
// The seasonal rain/no-rain threshold tables: which file a month reads, how a
// file is read, and where a longitude/latitude falls in the table.
//
// A table is 512 x 512 signed 16-bit little-endian values in tenths of
// kelvin, row by row without a header. Row r is latitude 59.6 - 0.1 r, column
// c longitude 73.28 + 0.12 c, so the table covers 73.28-134.72 E and
// 8.4-59.6 N.

#include <cstddef>
#include <string>
#include <vector>

enum class PrecipSeason { Spring, Summer, Autumn, Winter };

inline constexpr int kPrecipTableSide = 512;
inline constexpr std::size_t kPrecipTableValues =
    static_cast<std::size_t>(kPrecipTableSide) * kPrecipTableSide;
inline constexpr std::size_t kPrecipTableBytes = 2 * kPrecipTableValues;

inline constexpr double kPrecipWestLon = 73.28;
inline constexpr double kPrecipEastLon = 134.72;
inline constexpr double kPrecipSouthLat = 8.4;
inline constexpr double kPrecipNorthLat = 59.6;

// The season of an observation month (12, 1, 2 winter; 3-5 spring; 6-8
// summer; 9-11 autumn); false for a month outside 1..12.
bool PrecipSeasonOfMonth(int month, PrecipSeason& season);

// "yuzhi_345.dat", "yuzhi_678.dat", "yuzhi_91011.dat" or "yuzhi_1212.dat".
const char* PrecipThresholdFileName(PrecipSeason season);

// Reads the 262144 thresholds of a file, in kelvin. False when the file
// cannot be opened or holds fewer than 524288 bytes; bytes behind the table
// are ignored.
bool ReadPrecipThresholds(const std::string& path, std::vector<float>& thresholds);

// True when the point lies in the table's domain, edges included.
inline bool InsidePrecipDomain(double lon, double lat) {
    return lon >= kPrecipWestLon && lon <= kPrecipEastLon && lat >= kPrecipSouthLat &&
           lat <= kPrecipNorthLat;
}

// The table row of a latitude and the table column of a longitude of the
// domain, nearest row and column. Points within half a cell of the south or
// east edge round to one past the last row or column; they take the last
// one instead.
inline std::size_t PrecipThresholdRow(double lat) {
    constexpr double kRowsPerDegree = 10.0;
    constexpr int kLast = kPrecipTableSide - 1;
    const int row = static_cast<int>((kPrecipNorthLat - lat) * kRowsPerDegree + 0.5);
    return static_cast<std::size_t>(row < kLast ? row : kLast);
}
inline std::size_t PrecipThresholdColumn(double lon) {
    constexpr double kColumnsPerDegree = 8.333333333333334;
    constexpr int kLast = kPrecipTableSide - 1;
    const int column = static_cast<int>((lon - kPrecipWestLon) * kColumnsPerDegree + 0.5);
    return static_cast<std::size_t>(column < kLast ? column : kLast);
}

// The table entry of a point of the domain.
inline std::size_t PrecipThresholdIndex(double lon, double lat) {
    return PrecipThresholdRow(lat) * kPrecipTableSide + PrecipThresholdColumn(lon);
}
