#pragma once
// The binary polyline files of the map overlays (WORLD.LNB, CHINAM.MPB,
// PROVS.LNB, RIVER.LNB). Little-endian records without a file header:
// int16 count, 8 unused bytes, then the points, each int16 latitude × 100 and
// int16 longitude × 100. The count is the number of 16-bit values in the .LNB
// files and the number of points in the .MPB file.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

enum class MapCountRule {
    HalfCount,   // .LNB: points = count / 2, truncated
    PointCount,  // .MPB: points = count
};

constexpr std::size_t kMapRecordHeaderSize = 10;
constexpr std::size_t kMapPointSize = 4;
// The shipped WORLD.LNB is 2 MB; a larger file than this is refused by its
// size unread, and every offset into one fits 32 bits.
constexpr std::size_t kMapFileMaxBytes = 64u * 1024 * 1024;

// Points of a record with the given count; a count of zero or less has none.
inline int MapRecordPoints(int count, MapCountRule rule) {
    if (count <= 0) {
        return 0;
    }
    return rule == MapCountRule::HalfCount ? count / 2 : count;
}

// Reads the whole file with one read; false when it cannot be opened or read,
// is no regular file or holds more than kMapFileMaxBytes.
bool ReadWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes);

// Receives the records of a map file in order.
class CMapLineVisitor {
public:
    virtual ~CMapLineVisitor() = default;
    // A new polyline starts: the pen goes up.
    virtual void BeginRecord() = 0;
    // One vertex, latitude in degrees and longitude in single precision.
    virtual void Point(double lat, float lon) = 0;
};

// Walks the records of a map file held in memory. A record cut short by the
// end of the data delivers its complete points and ends the walk. False when
// the file is damaged: a record cut short, bytes left over after the last
// record, or a vertex off the globe (what could be drawn was still drawn).
bool WalkMapLines(const std::uint8_t* data, std::size_t size, MapCountRule rule,
                  CMapLineVisitor& visitor);

// A map file parsed once, as WalkMapLines walks it: the file's bytes and every
// record with the range of its raw values, so that a walk over a box can
// pass over records that lie wholly outside it. A record takes 16 bytes, so
// the list stays within 1.6 times the file even for records without points.
// Bytes beyond kMapFileMaxBytes are not parsed (the lines are not intact).
struct MapLines {
    struct Record {
        std::uint32_t offset = 0;  // of its first point in the bytes
        std::uint16_t count = 0;   // complete points (a count is 16 bits)
        // Smallest and largest raw values (hundredths of a degree); 0 when
        // count is 0.
        std::int16_t minLat = 0;
        std::int16_t maxLat = 0;
        std::int16_t minLon = 0;
        std::int16_t maxLon = 0;
    };
    static_assert(sizeof(Record) <= 16, "records stay compact");
    std::vector<std::uint8_t> bytes;
    std::vector<Record> records;
    // What WalkMapLines returns for the file: false when it is damaged.
    bool intact = true;
};

// The records of a map file's bytes, which the result keeps.
std::shared_ptr<const MapLines> ParseMapLines(std::vector<std::uint8_t> bytes, MapCountRule rule);

// A vertex as WalkMapLines delivers it.
inline double MapLatitude(std::int16_t raw) {
    return raw * 0.01;
}
inline float MapLongitude(std::int16_t raw) {
    return static_cast<float>(raw * 0.01);
}

// Delivers the records to the visitor as WalkMapLines does, except that a
// record whose every point fails the box test (south < lat < north, west <
// lon < east, on the delivered values) gets only its BeginRecord: a visitor
// for which such points change nothing sees the same. Returns lines.intact.
bool WalkMapLinesInBox(const MapLines& lines, double south, double north, double west, double east,
                       CMapLineVisitor& visitor);
