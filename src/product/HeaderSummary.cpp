#include "product/HeaderSummary.h"

#include <cstdio>

#include "product/AwxFileAccess.h"

namespace {

constexpr double kCentiDegree = 0.01;

}  // namespace

bool ReadAwxSummary(const std::string& path, AwxSummary& out) {
    UniqueStdFile file = OpenForReading(path);
    AwxSummary summary;
    if (!file || !ReadAwxHeaders(file.get(), summary.first, summary.second)) {
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
