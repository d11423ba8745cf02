// A map file parsed once and walked over a box delivers what walking the
// file's bytes delivers, as a box drawer sees it: every record start, every
// point inside the box in order, and the same verdict on damaged files;
// points outside the box may be passed over only by whole records.

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "geo/MapLineFile.h"
#include "platform/ByteOrder.h"

namespace {

struct Box {
    double south, north, west, east;
};

// What a drawer that lifts its pen outside the box depends on.
class CBoxRecorder : public CMapLineVisitor {
public:
    explicit CBoxRecorder(const Box& box) : m_box(box) {}
    void BeginRecord() override { seen.push_back("begin"); }
    void Point(double lat, float lon) override {
        if (m_box.south < lat && lat < m_box.north && m_box.west < lon && lon < m_box.east) {
            seen.push_back(std::to_string(lat) + " " + std::to_string(lon));
        } else if (seen.empty() || seen.back() != "up") {
            seen.push_back("up");
        }
    }
    std::vector<std::string> seen;

private:
    Box m_box;
};

// Drops the "up" marks a drawer cannot tell apart: one right after a
// record start, where the pen is up already.
std::vector<std::string> AsDrawn(std::vector<std::string> seen) {
    std::vector<std::string> drawn;
    for (const std::string& s : seen) {
        if (s == "up" && (drawn.empty() || drawn.back() == "begin" || drawn.back() == "up")) {
            continue;
        }
        drawn.push_back(s);
    }
    return drawn;
}

struct FileShape {
    const char* name;
    MapCountRule rule;
    int records;
    int cutBytes;      // bytes taken off the end (a record cut short)
    int extraBytes;    // bytes after the last record
    bool offTheGlobe;  // one latitude beyond 90 degrees
};

const FileShape kShapes[] = {
    {"Intact", MapCountRule::HalfCount, 60, 0, 0, false},
    {"PointCounts", MapCountRule::PointCount, 40, 0, 0, false},
    {"CutShort", MapCountRule::HalfCount, 30, 6, 0, false},
    {"BytesLeftOver", MapCountRule::HalfCount, 30, 0, 7, false},
    {"OffTheGlobe", MapCountRule::PointCount, 25, 0, 0, true},
    {"Empty", MapCountRule::HalfCount, 0, 0, 0, false},
};

const Box kBoxes[] = {
    {-90.0, 90.0, -400.0, 400.0},  // everything
    {10.0, 40.0, 80.0, 120.0},     // part of it
    {20.0, 20.5, 100.0, 100.5},    // hardly anything
    {15.0, 15.01, 85.0, 85.01},    // edges on vertex values
    {60.0, 10.0, 0.0, 10.0},       // nothing at all
};

std::vector<std::uint8_t> RandomMapFile(const FileShape& shape, std::uint32_t seed) {
    std::mt19937 random(seed);
    std::vector<std::uint8_t> bytes;
    for (int r = 0; r < shape.records; ++r) {
        const int points = static_cast<int>(random() % 40);
        const int count = shape.rule == MapCountRule::HalfCount ? 2 * points + (r % 2) : points;
        const std::size_t at = bytes.size();
        bytes.resize(at + kMapRecordHeaderSize + kMapPointSize * points);
        WriteInt16LE(bytes.data() + at, count);
        // Records wander around a centre, some far from every box.
        int lat = 1500 + static_cast<int>(random() % 3000);
        int lon = 8500 + static_cast<int>(random() % 5000) - (r % 5 == 0 ? 20000 : 0);
        for (int i = 0; i < points; ++i) {
            lat += static_cast<int>(random() % 301) - 150;
            lon += static_cast<int>(random() % 301) - 150;
            if (shape.offTheGlobe && r == shape.records / 2 && i == 0) {
                lat = 9100;
            }
            const std::size_t p = at + kMapRecordHeaderSize + kMapPointSize * i;
            WriteInt16LE(bytes.data() + p, lat);
            WriteInt16LE(bytes.data() + p + 2, lon);
        }
    }
    bytes.resize(bytes.size() - static_cast<std::size_t>(shape.cutBytes));
    bytes.resize(bytes.size() + static_cast<std::size_t>(shape.extraBytes), 0x11);
    return bytes;
}

TEST(MapLinesParsed, WalkOverABoxSeesWhatTheFileWalkSees) {
    std::uint32_t seed = 7;
    for (const FileShape& shape : kShapes) {
        const std::vector<std::uint8_t> bytes = RandomMapFile(shape, seed++);
        const auto lines = ParseMapLines(bytes, shape.rule);
        for (const Box& box : kBoxes) {
            SCOPED_TRACE(std::string(shape.name) + " box " + std::to_string(box.south));
            CBoxRecorder direct(box);
            const bool intact = WalkMapLines(bytes.data(), bytes.size(), shape.rule, direct);
            CBoxRecorder parsed(box);
            EXPECT_EQ(WalkMapLinesInBox(*lines, box.south, box.north, box.west, box.east, parsed),
                      intact);
            EXPECT_EQ(AsDrawn(parsed.seen), AsDrawn(direct.seen));
        }
        EXPECT_EQ(lines->bytes, bytes);
    }
}

TEST(MapLinesParsed, RecordRangesHoldEveryPoint) {
    const std::vector<std::uint8_t> bytes = RandomMapFile(kShapes[0], 99);
    const auto lines = ParseMapLines(bytes, MapCountRule::HalfCount);
    ASSERT_EQ(lines->records.size(), 60u);
    for (const MapLines::Record& record : lines->records) {
        for (std::size_t i = 0; i < record.count; ++i) {
            const std::uint8_t* p = bytes.data() + record.offset + kMapPointSize * i;
            const auto lat = static_cast<std::int16_t>(p[0] | (p[1] << 8));
            const auto lon = static_cast<std::int16_t>(p[2] | (p[3] << 8));
            EXPECT_LE(record.minLat, lat);
            EXPECT_GE(record.maxLat, lat);
            EXPECT_LE(record.minLon, lon);
            EXPECT_GE(record.maxLon, lon);
        }
    }
}

}  // namespace
