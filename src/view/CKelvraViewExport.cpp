// The animation pane's "导出NetCDF...": the values of the loop's frames, in
// observation-time order, as one NetCDF file through the export module.

#include <filesystem>

#include "platform/Message.h"
#include "view/CKelvraDoc.h"
#include "view/CKelvraView.h"
#include "view/ExportFileName.h"
#include "view/ExportReport.h"

namespace {

constexpr char kTitle[] = "导出NetCDF";
constexpr char kFilter[] = "NetCDF (*.nc)|*.nc||";
constexpr char kDefaultName[] = "动画.nc";
constexpr char kNothingToExport[] = "请先开始动画，再导出NetCDF。";
constexpr char kFailed[] = "导出NetCDF失败。\n";
constexpr char kWritten[] = "动画各帧的定标值已经导出至文件\n";

}  // namespace

void CKelvraView::OnExportNetCdf() {
    const std::vector<FrameEntry> frames = m_playback.Frames();
    if (!m_playback.m_bAnimating || frames.empty()) {
        ShowMessage(kNothingToExport);
        return;
    }
    if (!m_doc.Providers().saveFile) {
        return;
    }
    FileDialogRequest request;
    request.title = kTitle;
    request.filter = kFilter;
    request.directory = std::filesystem::path(frames.front().path).parent_path().string();
    request.initialName = kDefaultName;
    const std::optional<std::string> chosen = m_doc.Providers().saveFile(request);
    if (!chosen) {
        return;
    }
    ExportRequest job;
    job.format = ExportRequest::Format::kNetCdf;
    for (const FrameEntry& frame : frames) {
        job.inputs.push_back(frame.path);
    }
    job.output = WithExtension(*chosen, ".nc");
    ExportAndReport(job, kFailed, kWritten);
}
