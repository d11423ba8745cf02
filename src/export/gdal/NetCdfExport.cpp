#include "export/gdal/NetCdfExport.h"

#include <cstdint>
#include <memory>
#include <vector>

#include <gdal_priv.h>

#include "export/gdal/DatasetDescription.h"
#include "export/gdal/ExportedFile.h"
#include "export/gdal/LoopGeometry.h"
#include "export/gdal/NetCdfVariables.h"
#include "export/gdal/ProductBand.h"
#include "export/gdal/ProductGeoreference.h"
#include "platform/TempName.h"
#include "product/CGeoImage.h"
#include "product/ProductReadFailure.h"

namespace {

struct DatasetCloser {
    void operator()(GDALDataset* ds) const { GDALClose(ds); }
};

bool ReadAll(const std::vector<std::string>& paths, std::vector<CGeoImage>& products,
             std::string& why) {
    products.resize(paths.size());
    for (std::size_t i = 0; i < paths.size(); ++i) {
        if (!products[i].ReadProduct(paths[i])) {
            why = paths[i] + ": " + ProductReadFailure(products[i].ReadRefusal());
            return false;
        }
        const std::string difference = GeometryDifference(products[0], products[i]);
        if (!difference.empty()) {
            why = paths[i] + " 与 " + paths[0] + " 的几何不同: " + difference;
            return false;
        }
    }
    return true;
}

// A hidden file beside the target: GDAL's NetCDF writer needs a real file.
std::string TemporaryBeside(const std::string& target) {
    const std::size_t slash = target.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "" : target.substr(0, slash + 1);
    return folder + RandomTempName() + ".nc";
}

bool WriteLoop(const std::vector<CGeoImage>& products, const std::vector<std::size_t>& order,
               const ProductGeoreference& g, const std::string& path, std::string& why) {
    GDALDriver* driver = GetGDALDriverManager()->GetDriverByName("netCDF");
    if (driver == nullptr) {
        why = "GDAL 没有 netCDF 驱动";
        return false;
    }
    const char* const options[] = {"FORMAT=NC4", nullptr};
    std::unique_ptr<GDALDataset, DatasetCloser> ds(
        driver->CreateMultiDimensional(path.c_str(), nullptr, options));
    if (!ds) {
        why = std::string("GDAL 无法建立 NetCDF 文件: ") + CPLGetLastErrorMsg();
        return false;
    }
    CNetCdfVariables variables(*ds->GetRootGroup(), products[order[0]], g);
    if (!variables.Define(order.size(), why)) {
        return false;
    }
    for (std::size_t t = 0; t < order.size(); ++t) {
        if (!variables.WriteFrame(t, products[order[t]], why)) {
            return false;
        }
    }
    CPLErrorReset();
    ds.reset();  // closing writes the file; GDAL reports a failure as its last error
    if (CPLGetLastErrorType() >= CE_Failure) {
        why = std::string("GDAL 写 NetCDF 失败: ") + CPLGetLastErrorMsg();
        return false;
    }
    return true;
}

}  // namespace

bool ExportNetCdf(const std::vector<std::string>& paths, const std::string& target,
                  std::string& notice, std::string& why) {
    std::vector<CGeoImage> products;
    std::vector<std::size_t> order;
    if (paths.empty() || !ReadAll(paths, products, why) ||
        !TimeOrder(products, paths, order, why)) {
        return false;
    }
    ProductGeoreference g;
    if (!GeoreferenceProduct(products[0].Params(), g, why)) {
        return false;
    }
    const std::string temporary = TemporaryBeside(target);
    if (!WriteLoop(products, order, g, temporary, why)) {
        VSIUnlink(temporary.c_str());
        return false;
    }
    notice = GeoreferenceNotice(g);
    return SaveFinishedFile(temporary, target, why);
}
