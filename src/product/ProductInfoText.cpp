#include "product/ProductInfoText.h"

#include <cstdio>

#include "platform/TextCodec.h"
#include "product/AwxHeaders.h"
#include "product/GridInfoText.h"
#include "product/ObservationTime.h"

namespace {

std::string Line(const char* label, const std::string& value) {
    return std::string(label) + value + "\n";
}

std::string Integer(int value) {
    return std::to_string(value);
}

// Six decimals, as "%f" prints.
std::string Real(float value) {
    char text[64];
    std::snprintf(text, sizeof text, "%f", static_cast<double>(value));
    return text;
}

std::string DateTime(const ProductDescription& d) {
    char text[64];
    std::snprintf(text, sizeof text, "%04d年%02d月%02d日 %02d时%02d分", d.year, d.month, d.day,
                  d.hour, d.minute);
    return text;
}

}  // namespace

std::string ProductInfoText(const ProductDescription& d) {
    if (d.fileId.find("SEC") == std::string::npos) {
        return std::string();
    }
    if (d.IsGrid()) {
        return GridInfoText(d);
    }
    std::string text;
    text += Line("文件标识：", d.fileId);
    text += Line("版本号：", d.version);
    // The name is stored as GBK bytes in the file.
    text += Line("卫星标识：", GbkToUtf8(d.satelliteName));
    text += Line("数据类型：", Integer(d.dataType));
    text += Line("通道号：", Integer(d.channel));
    text += Line("日期时间(UTC)：", DateTime(d));
    if (const std::string beijing = BeijingTimeText(ObservationMinutes(d)); !beijing.empty()) {
        text += Line("北京时间：", beijing);
    }
    text += Line("投影方式：", ProjectionName(d.projection));
    text += Line("图像宽度(像素)：", Integer(d.width));
    text += Line("图像高度(像素)：", Integer(d.height));
    text += Line("中心纬度(度)：", Real(d.centerLat));
    text += Line("中心经度(度)：", Real(d.centerLon));
    text += Line("经向分辨率(公里/度)：", Real(d.horizontalResolution));
    text += Line("纬向分辨率(公里/度)：", Real(d.verticalResolution));
    text += Line("标准纬度1(度)：", Real(d.stdLat1));
    text += Line("标准纬度2(度)：", Real(d.stdLat2));
    text += Line("标准经度(度)：", Real(d.stdLon));
    if (d.resolutionFromEdges) {
        text += "分辨率按图像边界计算\n";
    }
    return text;
}
