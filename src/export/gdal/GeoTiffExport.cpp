#include "export/gdal/GeoTiffExport.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <limits>
#include <memory>
#include <vector>

#include <gdal_priv.h>

#include "export/gdal/DatasetDescription.h"
#include "export/gdal/ExportedFile.h"
#include "export/gdal/ProductBand.h"
#include "export/gdal/ProductGeoreference.h"
#include "product/CGeoImage.h"

namespace {

// A table within this of a straight line is written as scale and offset.
constexpr double kLinearTolerance = 1e-4;

struct DatasetCloser {
    void operator()(GDALDataset* ds) const { GDALClose(ds); }
};
using Dataset = std::unique_ptr<GDALDataset, DatasetCloser>;

// Scale and offset when table[v] = offset + scale·v for every count.
bool LinearTable(const std::array<float, 256>& table, double& scale, double& offset) {
    offset = table[0];
    scale = (static_cast<double>(table[255]) - table[0]) / 255.0;
    for (int v = 0; v < 256; ++v) {
        if (std::fabs(offset + scale * v - table[v]) > kLinearTolerance) {
            return false;
        }
    }
    return true;
}

std::string TableText(const std::array<float, 256>& table) {
    std::string text;
    char value[32];
    for (float v : table) {
        std::snprintf(value, sizeof value, text.empty() ? "%.9g" : ",%.9g", static_cast<double>(v));
        text += value;
    }
    return text;
}

bool FillValues(const CGeoImage& product, GDALRasterBand& band, std::string& why) {
    std::vector<float> values;
    if (!CalibratedValues(product, values)) {
        why = "产品没有数据";
        return false;
    }
    const ProductBand meaning = BandOf(product.Description());
    band.SetDescription(meaning.description.c_str());
    band.SetUnitType(meaning.unit.c_str());
    band.SetNoDataValue(std::numeric_limits<double>::quiet_NaN());
    return band.RasterIO(GF_Write, 0, 0, band.GetXSize(), band.GetYSize(), values.data(),
                         band.GetXSize(), band.GetYSize(), GDT_Float32, 0, 0, nullptr) == CE_None;
}

bool FillCounts(const CGeoImage& product, GDALRasterBand& band, std::string& why) {
    const int width = band.GetXSize();
    for (int y = 0; y < band.GetYSize(); ++y) {
        const std::uint8_t* row = product.CountsRow(y);
        if (row == nullptr ||
            band.RasterIO(GF_Write, 0, y, width, 1, const_cast<std::uint8_t*>(row), width, 1,
                          GDT_Byte, 0, 0, nullptr) != CE_None) {
            why = "产品没有数据";
            return false;
        }
    }
    const ProductBand meaning = BandOf(product.Description());
    band.SetDescription(("counts of " + meaning.description).c_str());
    double scale = 0.0;
    double offset = 0.0;
    if (!product.Description().IsGrid() && LinearTable(product.CalibrationTable(), scale, offset)) {
        band.SetScale(scale);
        band.SetOffset(offset);
        band.SetUnitType(meaning.unit.c_str());
    } else {
        band.SetMetadataItem("CALIBRATION_TABLE", TableText(product.CalibrationTable()).c_str());
        band.SetMetadataItem("CALIBRATION_UNIT", meaning.unit.c_str());
    }
    return true;
}

// The product in memory, described and located, ready to be copied out.
Dataset BuildDataset(const CGeoImage& product, const GeoTiffOptions& options,
                     const ProductGeoreference& g, std::string& why) {
    GDALDriver* memory = GetGDALDriverManager()->GetDriverByName("MEM");
    const int width = product.Description().width;
    const int height = product.Description().height;
    Dataset ds(memory == nullptr
                   ? nullptr
                   : memory->Create("", width, height, 1, options.counts ? GDT_Byte : GDT_Float32,
                                    nullptr));
    if (!ds) {
        why = "GDAL 无法建立数据集";
        return nullptr;
    }
    if (g.located) {
        std::array<double, 6> t = g.transform;
        ds->SetGeoTransform(t.data());
        ds->SetProjection(g.wkt.c_str());
    }
    for (const auto& [key, value] : ProductMetadata(product.Description(), g)) {
        ds->SetMetadataItem(key.c_str(), value.c_str());
    }
    GDALRasterBand& band = *ds->GetRasterBand(1);
    const bool filled =
        options.counts ? FillCounts(product, band, why) : FillValues(product, band, why);
    return filled ? std::move(ds) : nullptr;
}

}  // namespace

bool ExportGeoTiff(const CGeoImage& product, const GeoTiffOptions& options,
                   const std::string& target, std::string& notice, std::string& why) {
    if (!options.counts && !HasCalibration(product)) {
        why = "产品没有定标表，只能以 --counts 导出计数值";
        return false;
    }
    ProductGeoreference g;
    if (!GeoreferenceProduct(product.Params(), g, why)) {
        return false;
    }
    Dataset source = BuildDataset(product, options, g, why);
    if (!source) {
        return false;
    }
    GDALDriver* driver = GetGDALDriverManager()->GetDriverByName(options.cog ? "COG" : "GTiff");
    if (driver == nullptr) {
        why = options.cog ? "GDAL 没有 COG 驱动" : "GDAL 没有 GTiff 驱动";
        return false;
    }
    char memoryPath[64];
    std::snprintf(memoryPath, sizeof memoryPath, "/vsimem/kelvra-export-%p.tif",
                  static_cast<const void*>(&product));
    CPLErrorReset();
    Dataset written(driver->CreateCopy(memoryPath, source.get(), FALSE, nullptr, nullptr, nullptr));
    const bool created = written != nullptr;
    written.reset();  // closing writes the last blocks; GDAL reports a failure as its last error
    if (!created || CPLGetLastErrorType() >= CE_Failure) {
        VSIUnlink(memoryPath);
        why = std::string("GDAL 写 GeoTIFF 失败: ") + CPLGetLastErrorMsg();
        return false;
    }
    notice = GeoreferenceNotice(g);
    return SaveMemoryFile(memoryPath, target, why);
}
