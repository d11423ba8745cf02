// Map line files of any content, walked in memory as the map overlays walk
// them: no read past the data, and never more points than the bytes hold; the
// parsed records, walked over a box that holds the globe, deliver the same.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "geo/MapLineFile.h"

namespace {

class CCountingVisitor : public CMapLineVisitor {
public:
    void BeginRecord() override { ++records; }
    void Point(double, float) override { ++points; }
    std::size_t records = 0;
    std::size_t points = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const MapCountRule rule = size % 2 ? MapCountRule::PointCount : MapCountRule::HalfCount;
    CCountingVisitor counter;
    const bool intact = WalkMapLines(data, size, rule, counter);
    // Every point takes four bytes and every record ten.
    if (counter.points * 4 + counter.records * 10 > size) {
        __builtin_trap();
    }
    const auto lines = ParseMapLines(std::vector<std::uint8_t>(data, data + size), rule);
    CCountingVisitor parsed;
    if (WalkMapLinesInBox(*lines, -400.0, 400.0, -400.0, 400.0, parsed) != intact ||
        parsed.records != lines->records.size() || parsed.records != counter.records ||
        parsed.points != counter.points) {
        __builtin_trap();
    }
    return 0;
}
