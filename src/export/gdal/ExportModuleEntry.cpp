// The export module's one exported function: a GeoTIFF of one product or a
// NetCDF of a loop, written through GDAL for kelvra-cli and the desktop.

#include <algorithm>
#include <cstring>
#include <exception>
#include <string>
#include <vector>

#include <gdal_priv.h>

#include "export/ExportCall.h"
#include "export/gdal/GeoTiffExport.h"
#include "export/gdal/NetCdfExport.h"
#include "product/CGeoImage.h"
#include "product/ProductReadFailure.h"

namespace {

void Say(KelvraExportCall& call, const std::string& text) {
    if (call.message == nullptr || call.messageSize <= 0) {
        return;
    }
    const std::size_t n = std::min(text.size(), static_cast<std::size_t>(call.messageSize - 1));
    std::memcpy(call.message, text.data(), n);
    call.message[n] = '\0';
}

// Only the drivers an export writes with, registered once: GDAL keeps them
// for the process.
void RegisterDrivers() {
    if (GetGDALDriverManager()->GetDriverByName("GTiff") == nullptr) {
        GDALAllRegister();
    }
    // The messages come back as the call's message, not on stderr.
    CPLSetErrorHandler(CPLQuietErrorHandler);
}

bool ExportOne(const KelvraExportCall& call, std::string& notice, std::string& why) {
    if (call.inputCount != 1) {
        why = "GeoTIFF 只导出一个产品";
        return false;
    }
    CGeoImage product;
    if (!product.ReadProduct(call.inputs[0])) {
        why = std::string(call.inputs[0]) + ": " + ProductReadFailure(product.ReadRefusal());
        return false;
    }
    const GeoTiffOptions options{call.counts != 0, call.cog != 0};
    return ExportGeoTiff(product, options, call.output, notice, why);
}

bool Export(const KelvraExportCall& call, std::string& notice, std::string& why) {
    RegisterDrivers();
    if (std::strcmp(call.format, "geotiff") == 0) {
        return ExportOne(call, notice, why);
    }
    if (std::strcmp(call.format, "netcdf") == 0) {
        const std::vector<std::string> paths(call.inputs, call.inputs + call.inputCount);
        return ExportNetCdf(paths, call.output, notice, why);
    }
    why = std::string("导出模块没有格式 ") + call.format;
    return false;
}

}  // namespace

extern "C" __attribute__((visibility("default"))) int kelvra_export_run(KelvraExportCall* call) {
    if (call == nullptr || call->version != kExportCallVersion) {
        return 1;  // a module of another kelvra: nothing can be said safely
    }
    std::string notice;
    std::string why;
    try {
        const bool ok = Export(*call, notice, why);
        Say(*call, ok ? notice : why);
        return ok ? 0 : 1;
    } catch (const std::exception& e) {
        // Nothing is thrown across the call.
        Say(*call, e.what());
        return 1;
    }
}
