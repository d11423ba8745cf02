#pragma once
// A writer of synthetic AWX grid products (category 3) for tests, fuzz seeds
// and the sample data: the first header, the 80-byte grid header, zero fill
// up to the header records, then one record per grid row, northern row
// first, each value stored as round(value × scale factor − base value).

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

struct AwxGridWriterOptions {
    int element = 19;  // brightness temperature
    int bytesPerValue = 1;
    int baseValue = 100;
    int scaleFactor = 1;
    int timeRange = 0;
    int year = 2023;
    int month = 4;
    int day = 17;
    int hour = 0;
    int minute = 0;
    // The first grid point (north-west), degrees, and the spacing between
    // points along both axes.
    double leftLon = 45.0;
    double topLat = 60.0;
    double spacing = 0.1;
    int columns = 1201;
    int rows = 1201;
    int spacingUnit = 0;  // 0: hundredths of a degree
    std::string satelliteName = "FY2G";
    std::string edition = "SAT2004";
    std::uint32_t seed = 1;
    // The physical value at each point; when unset, the synthetic weather's
    // brightness temperature (for the other elements spread over a range
    // of their kind: colder tops give more).
    std::function<double(double lon, double lat)> field;
    // Replace what the header says, for products that are not as they
    // should be.
    std::optional<int> columnsField;
    std::optional<int> rowsField;
};

// The whole product file.
std::vector<std::uint8_t> MakeAwxGridProduct(const AwxGridWriterOptions& options);
