#pragma once
// A writer of synthetic AWX products for tests, benchmarks, fuzz seeds and
// the sample catalogue. The products are laid out as the real ones are: two
// headers, an optional 2048-byte calibration block, zero fill up to the
// header records, then one record per image row.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The four edge fields of the second header, in degrees.
struct AwxEdges {
    double north = 0.0;
    double south = 0.0;
    double west = 0.0;
    double east = 0.0;
};

struct AwxWriterOptions {
    int projection = 1;  // system projection code 0-5 (1 equal latitude/longitude)
    int width = 400;
    int height = 300;
    int year = 2022;
    int month = 3;
    int day = 31;
    int hour = 13;
    int minute = 0;
    int channel = 1;                  // system channel code 1-5
    std::string edition = "SAT2004";  // or "SAT96" (written padded with blanks)
    std::string satelliteName = "FY2G";
    double centerLon = 97.5;
    double centerLat = 27.5;
    // Degrees for equal latitude/longitude (0.05 is written as 5), km otherwise
    // (5 km is written as 500).
    double resolution = 0.05;
    double stdLat1 = 30.0;
    double stdLat2 = 60.0;
    // Written instead of the edges the centre and resolution give, as real
    // products do whose resolution fields do not fit the picture.
    std::optional<AwxEdges> edges;
    bool calibration = true;
    int recordLength = 0;  // bytes per record; 0 = one record per image row
    // 0 = as many records as the headers need. The image never overlaps the
    // headers: a smaller explicit choice still puts it behind them.
    int headerRecords = 0;
    std::size_t trailingBytes = 0;  // extra bytes after the image
    std::uint32_t seed = 1;
    // Evolution time of the weather; when unset, hours since 2000-01-01 of
    // the product's date, so products of successive times make a loop.
    std::optional<double> timeHours;
};

// Hours since 2000-01-01 00:00 of a date and time.
double HoursSinceEpoch2000(int year, int month, int day, int hour, int minute);

// The resolution as written into the header: degrees and km alike in
// hundredths of their unit (0.05 degree -> 5, 5 km -> 500).
int AwxResolutionField(double resolution);

// The whole product file.
std::vector<std::uint8_t> MakeAwxProduct(const AwxWriterOptions& options);

// Writes bytes to path, replacing it; false when it cannot be written.
bool WriteBytesToPath(const std::string& path, const std::vector<std::uint8_t>& bytes);

// MakeAwxProduct + WriteBytesToPath.
bool WriteAwxProduct(const std::string& path, const AwxWriterOptions& options);
