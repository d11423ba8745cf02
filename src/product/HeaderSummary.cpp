#include "product/HeaderSummary.h"

#include <array>
#include <cstdio>

#include "product/AwxFileAccess.h"
#include "product/AwxGridHeader.h"

namespace {

constexpr double kCentiDegree = 0.01;
constexpr int kGridListChannel = 1;
constexpr std::int32_t kFullTurnCenti = 36000;

AwxSecondHeader SecondHeaderOfGrid(const AwxGridHeader& g) {
    AwxSecondHeader h;
    h.satelliteName = g.satelliteName;
    h.year = g.startYear;
    h.month = g.startMonth;
    h.day = g.startDay;
    h.hour = g.startHour;
    h.minute = g.startMinute;
    h.channel = static_cast<std::int16_t>(AwxFileChannel(kGridListChannel));
    h.projection = static_cast<std::int16_t>(AwxFileProjection(1));
    h.width = static_cast<std::uint16_t>(g.columns);
    h.height = static_cast<std::uint16_t>(g.rows);
    const std::int32_t right = g.rightLon > g.leftLon ? g.rightLon : g.rightLon + kFullTurnCenti;
    h.centerLon = static_cast<std::int16_t>((g.leftLon + right) / 2);
    h.centerLat = static_cast<std::int16_t>((g.topLat + g.bottomLat) / 2);
    h.horizontalResolution = g.columnSpacing;
    h.verticalResolution = g.rowSpacing;
    return h;
}

// The headers of a grid product, read again from the start; only a grid
// that can be read is listed.
bool ReadGridSummary(std::FILE* file, AwxSummary& summary) {
    std::array<std::uint8_t, kAwxGridHeadersSize> bytes{};
    if (!SeekTo(file, 0, SEEK_SET) || !ReadExactly(file, bytes.data(), bytes.size())) {
        return false;
    }
    const AwxGridHeader grid = ParseAwxGridHeader(bytes.data() + kAwxFirstHeaderSize);
    if (!AwxGridRefusal(summary.first, grid, FileSize(file)).empty()) {
        return false;
    }
    summary.second = SecondHeaderOfGrid(grid);
    summary.category = kAwxGridCategory;
    summary.element = grid.element;
    return true;
}

}  // namespace

bool ReadAwxSummary(const std::string& path, AwxSummary& out) {
    UniqueStdFile file = OpenForReading(path);
    AwxSummary summary;
    if (!file) {
        return false;
    }
    if (!ReadAwxHeaders(file.get(), summary.first, summary.second) &&
        !(IsAwxGridFile(summary.first) && ReadGridSummary(file.get(), summary))) {
        return false;
    }
    summary.channel = MapAwxChannel(summary.second.channel);
    out = summary;
    return true;
}

bool SummaryMatchesChannel(const AwxSummary& summary, int channelCode) {
    return IsKnownAwxChannel(summary.second.channel) && summary.channel == channelCode;
}

std::string SummaryDateTime(const AwxSecondHeader& h) {
    char text[64];
    std::snprintf(text, sizeof text, "%04d年%02d月%02d日 %02d:%02d", h.year, h.month, h.day, h.hour,
                  h.minute);
    return text;
}

std::string SummaryProjection(const AwxSecondHeader& h) {
    return ProjectionName(MapAwxProjection(h.projection));
}

std::string SummaryCentre(const AwxSecondHeader& h) {
    char text[64];
    std::snprintf(text, sizeof text, "[%5.2f,%5.2f]", h.centerLon * kCentiDegree,
                  h.centerLat * kCentiDegree);
    return text;
}

std::string SummarySize(const AwxSecondHeader& h) {
    char text[32];
    std::snprintf(text, sizeof text, "%d×%d", h.width, h.height);
    return text;
}
