#include "product/GridInfoText.h"

#include <cstdio>

#include "platform/TextCodec.h"
#include "product/AwxHeaders.h"
#include "product/GridElements.h"

namespace {

std::string Line(const char* label, const std::string& value) {
    return std::string(label) + value + "\n";
}

std::string Format(const char* format, double a, double b) {
    char text[96];
    std::snprintf(text, sizeof text, format, a, b);
    return text;
}

std::string Time(int year, int month, int day, int hour, int minute) {
    char text[64];
    std::snprintf(text, sizeof text, "%04d年%02d月%02d日 %02d时%02d分", year, month, day, hour,
                  minute);
    return text;
}

std::string TimeRange(const ProductDescription& d) {
    const GridDescription& g = d.grid;
    return Time(d.year, d.month, d.day, d.hour, d.minute) + " 至 " +
           Time(g.endYear, g.endMonth, g.endDay, g.endHour, g.endMinute) + "（时段码 " +
           std::to_string(g.timeRange) + "）";
}

std::string Storage(const GridDescription& g) {
    return "(存储值 + " + std::to_string(g.baseValue) + ") / " + std::to_string(g.scaleFactor) +
           "，每值 " + std::to_string(g.bytesPerValue) + " 字节";
}

}  // namespace

std::string GridInfoText(const ProductDescription& d) {
    const GridDescription& g = d.grid;
    const GridElement element = GridElementOf(g.element);
    const std::string unit = element.unit.empty() ? std::string("无") : element.unit;
    std::string text;
    text += Line("文件标识：", d.fileId);
    text += Line("版本号：", d.version);
    text += Line("卫星标识：", GbkToUtf8(d.satelliteName));
    text += Line("数据类型：", std::to_string(d.dataType) + "（格点产品）");
    text += Line("要素：", element.name + "（代码 " + std::to_string(g.element) + "）");
    text += Line("单位：", unit);
    text += Line("时间范围(UTC)：", TimeRange(d));
    text += Line("投影方式：", ProjectionName(d.projection));
    text += Line("格点数(列×行)：", std::to_string(d.width) + "×" + std::to_string(d.height));
    text += Line("左上角格点(经度,纬度)：", Format("%f, %f", g.leftLon, g.topLat));
    text += Line("右下角格点(经度,纬度)：", Format("%f, %f", g.rightLon, g.bottomLat));
    text +=
        Line("格距(经向×纬向,度)：", Format("%f×%f", d.horizontalResolution, d.verticalResolution));
    text += Line("数值换算：", Storage(g));
    text += Line("显示范围：", Format("%.2f - %.2f", g.displayLow, g.displayHigh) +
                                   (element.unit.empty() ? "" : " " + element.unit));
    return text;
}
