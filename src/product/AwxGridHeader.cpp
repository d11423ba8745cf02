#include "product/AwxGridHeader.h"

#include <cstdlib>
#include <cstring>

#include "platform/ByteOrder.h"
#include "product/AwxFileAccess.h"

namespace {

constexpr std::int32_t kCentiDegreesPerTurn = 36000;

std::string Number(std::int64_t value) {
    return std::to_string(value);
}

// The span the points of one axis cover, in hundredths of a degree, against
// what count points spacing apart cover; the corners are whole hundredths,
// so they may miss by one.
bool SpanAgrees(std::int32_t span, int count, int spacing) {
    return std::abs(span - static_cast<std::int32_t>(count - 1) * spacing) <= 1;
}

std::string SizeRefusal(const AwxGridHeader& g) {
    if (g.columns < 2 || g.rows < 2 || g.columns > kAwxMaxSide || g.rows > kAwxMaxSide) {
        return "格点数 " + Number(g.columns) + "×" + Number(g.rows) + " 不在 2 至 " +
               Number(kAwxMaxSide) + " 之间";
    }
    if (g.columnSpacing <= 0 || g.rowSpacing <= 0) {
        return "格距 " + Number(g.columnSpacing) + "、" + Number(g.rowSpacing) + " 不是正数";
    }
    std::int32_t lonSpan = g.rightLon - g.leftLon;
    if (lonSpan <= 0) {
        lonSpan += kCentiDegreesPerTurn;  // the grid runs across the date line
    }
    if (!SpanAgrees(lonSpan, g.columns, g.columnSpacing)) {
        return "列数 " + Number(g.columns) + " 与格距 " + Number(g.columnSpacing) +
               " 和左上角、右下角经度不符";
    }
    if (!SpanAgrees(g.topLat - g.bottomLat, g.rows, g.rowSpacing)) {
        return "行数 " + Number(g.rows) + " 与格距 " + Number(g.rowSpacing) +
               " 和左上角、右下角纬度不符";
    }
    return std::string();
}

std::string RecordRefusal(const AwxFirstHeader& first, const AwxGridHeader& g,
                          std::int64_t fileSize) {
    const std::int64_t rowBytes = static_cast<std::int64_t>(g.columns) * g.bytesPerValue;
    if (first.recordLength < rowBytes) {
        return "记录长度 " + Number(first.recordLength) + " 短于一行格点的 " + Number(rowBytes) +
               " 字节";
    }
    const std::int64_t offset = AwxDataOffset(first);
    if (offset < static_cast<std::int64_t>(kAwxGridHeadersSize)) {
        return "头记录数 " + Number(first.headerRecords) + " 容不下文件头";
    }
    const std::int64_t needed = offset + (g.rows - 1) * std::int64_t{first.recordLength} + rowBytes;
    if (fileSize < needed) {
        return "文件长度 " + Number(fileSize) + " 字节短于其记录所需的 " + Number(needed) + " 字节";
    }
    return std::string();
}

}  // namespace

AwxGridHeader ParseAwxGridHeader(const std::uint8_t* p) {
    AwxGridHeader h;
    std::memcpy(h.satelliteName.data(), p, h.satelliteName.size());
    std::int16_t* const fields[] = {
        &h.element,       &h.bytesPerValue, &h.baseValue, &h.scaleFactor, &h.timeRange,
        &h.startYear,     &h.startMonth,    &h.startDay,  &h.startHour,   &h.startMinute,
        &h.endYear,       &h.endMonth,      &h.endDay,    &h.endHour,     &h.endMinute,
        &h.topLat,        &h.leftLon,       &h.bottomLat, &h.rightLon,    &h.spacingUnit,
        &h.columnSpacing, &h.rowSpacing,    &h.columns,   &h.rows,
    };
    std::size_t at = h.satelliteName.size();
    for (std::int16_t* field : fields) {
        *field = ReadInt16LE(p + at);
        at += 2;
    }
    for (std::int16_t& flag : h.surfaceFlags) {
        flag = ReadInt16LE(p + at);
        at += 2;
    }
    h.qualityFlag = ReadInt16LE(p + at);
    h.qualityUpper = ReadInt16LE(p + at + 2);
    h.qualityLower = ReadInt16LE(p + at + 4);
    h.spare = ReadInt16LE(p + at + 6);
    return h;
}

bool IsAwxGridFile(const AwxFirstHeader& first) {
    return IsAwxFormatIdentifier(first.formatId) && first.category == kAwxGridCategory;
}

std::string AwxGridRefusal(const AwxFirstHeader& first, const AwxGridHeader& g,
                           std::int64_t fileSize) {
    if (g.spacingUnit != kAwxGridCentiDegreeUnit) {
        return "格距单位 " + Number(g.spacingUnit) + " 不是 0.01 度（只读 0）";
    }
    if (g.scaleFactor == 0) {
        return "比例因子为 0";
    }
    if (g.bytesPerValue != 1 && g.bytesPerValue != 2 && g.bytesPerValue != 4) {
        return "每个格点值的字节数 " + Number(g.bytesPerValue) + " 不是 1、2 或 4";
    }
    std::string refusal = SizeRefusal(g);
    if (refusal.empty()) {
        refusal = RecordRefusal(first, g, fileSize);
    }
    return refusal;
}

std::string AwxCategoryRefusal(const AwxFirstHeader& first) {
    if (!IsAwxFormatIdentifier(first.formatId) || first.category == kAwxGeoImageCategory ||
        first.category == kAwxGridCategory) {
        return std::string();
    }
    return "产品类别 " + Number(first.category) + " 不能读取（只读 1 静止卫星图像和 3 格点产品）";
}
