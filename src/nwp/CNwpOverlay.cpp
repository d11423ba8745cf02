// CNwpOverlay: reading a diamond file into the overlay.

#include "nwp/CNwpOverlay.h"

#include <utility>

#include "nwp/DiamondFile.h"
#include "platform/TextCodec.h"

namespace {

void Report(DiamondError* why, DiamondError error) {
    if (why != nullptr) {
        *why = error;
    }
}

NwpGridExtent ExtentOf(const DiamondGrid& g) {
    NwpGridExtent e;
    e.southLat = g.southLat;
    e.northLat = g.northLat;
    e.firstLon = g.firstLon;
    e.lastLon = g.lastLon;
    e.rowSpacing = g.rowSpacing;
    e.columnSpacing = g.columnSpacing;
    return e;
}

}  // namespace

bool CNwpOverlay::ProbeHeader(const std::string& path, DiamondError* why) {
    std::string bytes;
    DiamondError error = ReadDiamondBytes(path, kProbeBytes, true, bytes);
    DiamondHeader header;
    if (error == DiamondError::None) {
        CDiamondTokens tokens(bytes.data(), bytes.data() + bytes.size());
        error = ReadProbeTokens(tokens, header);
    }
    Report(why, error);
    if (error != DiamondError::None) {
        return false;
    }
    m_header.keyword = header.keyword;
    m_header.type = header.type;
    m_header.description = header.description;
    m_header.year = header.year;
    m_header.month = header.month;
    m_header.day = header.day;
    m_header.hour = header.hour;
    m_header.forecastHours = header.forecastHours;
    m_header.level = header.level;
    DescriptionParts parts = SplitDescription(header);
    m_strDateTime = std::move(parts.dateTime);
    m_strFieldName = std::move(parts.fieldName);
    return true;
}

bool CNwpOverlay::ReadFile(const std::string& path, DiamondError* why) {
    std::string bytes;
    DiamondError error = ReadDiamondBytes(path, kMaxDiamondFileBytes, false, bytes);
    DiamondGrid grid;
    if (error == DiamondError::None) {
        error = ParseDiamondText(bytes.data(), bytes.size(), grid);
    }
    if (error == DiamondError::None && !SmoothDiamondGrid(grid)) {
        error = DiamondError::OutOfMemory;
    }
    Report(why, error);
    if (error != DiamondError::None) {
        return false;
    }
    m_strPath = path;
    m_extent = ExtentOf(grid);
    DescriptionParts parts = SplitDescription(grid.header);
    m_strDateTime = std::move(parts.dateTime);
    m_strFieldName = std::move(parts.fieldName);
    m_header = std::move(grid.header);
    m_grid = std::move(grid.values);
    // The file's interval becomes the default; colours, style and label
    // height stay as they were chosen.
    m_default.interval = m_header.interval;
    m_default.contoursOn = 1;
    m_default.labelDecimals = 1;
    m_current = m_default;
    return true;
}

std::string CNwpOverlay::DateTimeText() const {
    return GbkToUtf8(m_strDateTime);
}

std::string CNwpOverlay::FieldNameText() const {
    return GbkToUtf8(m_strFieldName);
}
