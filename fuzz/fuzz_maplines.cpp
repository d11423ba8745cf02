// Map line files of any content, walked in memory as the map overlays walk
// them: no read past the data, and never more points than the bytes hold.

#include <cstddef>
#include <cstdint>

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
    CCountingVisitor counter;
    WalkMapLines(data, size, size % 2 ? MapCountRule::PointCount : MapCountRule::HalfCount,
                 counter);
    // Every point takes four bytes and every record ten.
    if (counter.points * 4 + counter.records * 10 > size) {
        __builtin_trap();
    }
    return 0;
}
