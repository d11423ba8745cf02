#pragma once
// The binary polyline files of the map overlays (WORLD.LNB, CHINAM.MPB,
// PROVS.LNB, RIVER.LNB). Little-endian records without a file header:
// int16 count, 8 unused bytes, then the points, each int16 latitude × 100 and
// int16 longitude × 100. The count is the number of 16-bit values in the .LNB
// files and the number of points in the .MPB file.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

enum class MapCountRule {
    HalfCount,   // .LNB: points = count / 2, truncated
    PointCount,  // .MPB: points = count
};

constexpr std::size_t kMapRecordHeaderSize = 10;
constexpr std::size_t kMapPointSize = 4;

// Points of a record with the given count; a count of zero or less has none.
inline int MapRecordPoints(int count, MapCountRule rule) {
    if (count <= 0) {
        return 0;
    }
    return rule == MapCountRule::HalfCount ? count / 2 : count;
}

// Reads the whole file with one read; false when it cannot be opened or read.
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
