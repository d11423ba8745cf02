#include "export/gdal/DatasetDescription.h"

#include <cstdio>

#include "export/gdal/ProductBand.h"
#include "export/gdal/ProductGeoreference.h"
#include "product/ProductDescription.h"

namespace {

// Below this the fit is exact for any use: a thousandth of a pixel.
constexpr double kExactFitPixels = 1e-3;

std::string Number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3g", value);
    return text;
}

}  // namespace

MetadataItems ProductMetadata(const ProductDescription& d, const ProductGeoreference& g) {
    MetadataItems items = {
        {"SATELLITE", SatelliteName(d)},
        {"CHANNEL", ChannelCode(d)},
        {"OBSERVATION_TIME", ObservationIso(d)},
    };
    if (g.located) {
        items.emplace_back("KELVRA_PROJ_DEFINITION", g.projDefinition);
        items.emplace_back("KELVRA_GEOLOCATION_MAX_ERROR_PIXELS", Number(g.largestErrorPixels));
    } else {
        items.emplace_back("KELVRA_GEOLOCATION", "none: a full-disk product has no geolocation");
    }
    return items;
}

std::string GeoreferenceNotice(const ProductGeoreference& g) {
    if (!g.located) {
        return "圆盘图产品没有地理定位：导出的文件不带坐标系";
    }
    if (g.largestErrorPixels > kExactFitPixels) {
        return "投影以最佳仿射拟合写出，与本程序定位的最大误差 " + Number(g.largestErrorPixels) +
               " 像素";
    }
    return std::string();
}
