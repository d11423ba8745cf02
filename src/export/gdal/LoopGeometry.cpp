#include "export/gdal/LoopGeometry.h"

#include <algorithm>
#include <cstdio>
#include <numeric>

#include "product/CGeoImage.h"
#include "product/ObservationTime.h"

namespace {

struct GeometryField {
    const char* name;
    double ProjectionParams::*field;
};

constexpr GeometryField kFields[] = {
    {"中心经度", &ProjectionParams::centerLon}, {"中心纬度", &ProjectionParams::centerLat},
    {"分辨率", &ProjectionParams::resolution},  {"标准纬度1", &ProjectionParams::stdLat1},
    {"标准纬度2", &ProjectionParams::stdLat2},
};

std::string Pair(const char* name, double a, double b) {
    char text[96];
    std::snprintf(text, sizeof text, "%s %g / %g", name, a, b);
    return text;
}

}  // namespace

std::string GeometryDifference(const CGeoImage& a, const CGeoImage& b) {
    const ProjectionParams& p = a.Params();
    const ProjectionParams& q = b.Params();
    if (p.type != q.type) {
        return Pair("投影", p.type, q.type);
    }
    if (a.Description().width != b.Description().width) {
        return Pair("宽度", a.Description().width, b.Description().width);
    }
    if (a.Description().height != b.Description().height) {
        return Pair("高度", a.Description().height, b.Description().height);
    }
    for (const GeometryField& f : kFields) {
        if (p.*(f.field) != q.*(f.field)) {
            return Pair(f.name, p.*(f.field), q.*(f.field));
        }
    }
    return std::string();
}

bool TimeOrder(const std::vector<CGeoImage>& products, const std::vector<std::string>& paths,
               std::vector<std::size_t>& order, std::string& why) {
    std::string untimed;
    for (std::size_t i = 0; i < products.size(); ++i) {
        if (ObservationMinutes(products[i].Description()) == kUnknownObservation) {
            untimed += (untimed.empty() ? "" : ", ") + paths[i];
        }
    }
    if (!untimed.empty()) {
        why = "没有观测时间的文件: " + untimed;
        return false;
    }
    order.resize(products.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](std::size_t i, std::size_t j) {
        return ObservationMinutes(products[i].Description()) <
               ObservationMinutes(products[j].Description());
    });
    return true;
}
