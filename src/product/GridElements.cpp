#include "product/GridElements.h"

#include <array>

#include "product/ProductDescription.h"

namespace {

struct Row {
    int code;
    const char* name;
    const char* unit;
    float low;
    float high;
    bool coldBright;
    bool temperature;
};

// Keep in step with the table of dat/README.md.
constexpr std::array<Row, 15> kElements = {{
    {1, "海表温度", "K", 270.0f, 310.0f, true, true},
    {4, "射出长波辐射", "W/m²", 100.0f, 350.0f, true, false},
    {10, "云顶气压", "hPa", 100.0f, 1000.0f, true, false},
    {11, "云顶温度", "K", 180.0f, 320.0f, true, true},
    {14, "降水指数(1小时)", "mm", 0.0f, 20.0f, false, false},
    {15, "降水指数(6小时)", "mm", 0.0f, 50.0f, false, false},
    {16, "降水指数(12小时)", "mm", 0.0f, 80.0f, false, false},
    {17, "降水指数(24小时)", "mm", 0.0f, 100.0f, false, false},
    {19, "亮温", "K", 180.0f, 320.0f, true, true},
    {20, "总云量", "%", 0.0f, 100.0f, false, false},
    {21, "云分类", "", 0.0f, 30.0f, false, false},
    {22, "降水估计(6小时)", "mm", 0.0f, 50.0f, false, false},
    {23, "降水估计(24小时)", "mm", 0.0f, 100.0f, false, false},
    {24, "大气可降水", "mm", 0.0f, 80.0f, false, false},
    {26, "地面太阳辐射", "W/m²", 0.0f, 1000.0f, false, false},
}};

}  // namespace

GridElement GridElementOf(int code) {
    for (const Row& row : kElements) {
        if (row.code == code) {
            return GridElement{row.code, row.name,       row.unit,       row.low,
                               row.high, row.coldBright, row.temperature};
        }
    }
    GridElement unknown;
    unknown.code = code;
    unknown.name = "要素 " + std::to_string(code);
    return unknown;
}

bool ValuesAreTemperatures(const ProductDescription& description) {
    return !description.IsGrid() || GridElementOf(description.grid.element).temperature;
}
