// 文件 → "导出GeoTIFF...": the open product's calibrated values with their
// coordinates, through the export module, which this command alone loads.

#include <filesystem>

#include "view/CKelvraDoc.h"
#include "view/ExportFileName.h"
#include "view/ExportReport.h"

namespace {

constexpr char kTitle[] = "导出GeoTIFF";
constexpr char kFilter[] = "GeoTIFF (*.tif)|*.tif||";
constexpr char kFailed[] = "导出GeoTIFF失败。\n";
constexpr char kWritten[] = "产品的定标值已经导出至文件\n";

}  // namespace

void CKelvraDoc::OnExportGeoTiff() {
    if (m_product.productLoaded == 0 || !m_providers.saveFile) {
        return;
    }
    const std::filesystem::path product(m_strPathName);
    FileDialogRequest request;
    request.title = kTitle;
    request.filter = kFilter;
    request.directory = product.parent_path().string();
    request.initialName = product.stem().string() + ".tif";
    const std::optional<std::string> chosen = m_providers.saveFile(request);
    if (!chosen) {
        return;
    }
    ExportRequest job;
    job.inputs = {m_strPathName};
    job.output = WithExtension(*chosen, ".tif");
    ExportAndReport(job, kFailed, kWritten);
}
