// The loop on screen written as an animated GIF: every step of the playback
// composed through the view's job as the screen shows it (its switches,
// overlays, palette, convection layers and the held frames' marks), into a
// picture of the export's own.

#include <QProgressDialog>
#include <filesystem>

#include "image/GifWriter.h"
#include "platform/Message.h"
#include "render/CQtPicture.h"
#include "render/LoopPictureView.h"
#include "view/CKelvraDoc.h"
#include "view/CKelvraView.h"
#include "view/ExportFileName.h"

namespace {

constexpr char kExportFilter[] = "GIF动画 (*.gif)|*.gif||";
constexpr char kExportTitle[] = "导出动画";
constexpr char kDefaultName[] = "动画.gif";
constexpr char kProgressText[] = "正在导出动画...";
constexpr char kCancelText[] = "取消";
constexpr char kNothingToExport[] = "请先开始动画，再导出动画。";
// Loops shorter than this finish before a progress dialog would help.
constexpr int kProgressDelayMs = 400;

}  // namespace

LoopExportResult CKelvraView::ExportLoop(const std::string& path, const LoopProgress& progress) {
    const std::vector<LoopStep> steps = m_playback.Steps();
    const std::vector<FrameEntry> frames = m_playback.Frames();
    if (steps.empty() || m_doc.FrameImages().size() < frames.size() ||
        m_doc.FrameProducts().size() < frames.size()) {
        return LoopExportResult::kNoFrames;
    }
    const std::vector<CGeoImage>& products = m_doc.FrameProducts();
    CDibImage image;
    QImage picture;
    CQtPicture target(picture);
    const LoopPictureSource source = [&](int index, LoopPicture& view) {
        const LoopStep& step = steps[static_cast<std::size_t>(index)];
        const auto frame = static_cast<std::size_t>(step.frame);
        // The frame's image is shared; the palette written into it makes a
        // private copy, so the frames on screen stay as they are.
        image.ShareFrom(m_doc.FrameImages()[frame]);
        PictureSubject subject(products[frame]);
        subject.path = frames[frame].path;
        subject.titleMark = StepMark(step);
        subject.frames = &products;
        subject.frame = step.frame;
        int recompose = 1;
        return m_job.Compose(image, subject, recompose, target) == 1 &&
               ViewLoopPicture(picture, image, view);
    };
    GifLoopSettings settings;
    settings.delayCentiseconds = GifDelayOf(m_playback.Interval());
    return WriteGifLoop(path, static_cast<int>(steps.size()), source, settings, progress);
}

void CKelvraView::OnExportLoop() {
    if (!m_playback.m_bAnimating || m_playback.StepCount() == 0) {
        ShowMessage(kNothingToExport);
        return;
    }
    if (!m_doc.Providers().saveFile) {
        return;
    }
    FileDialogRequest request;
    request.title = kExportTitle;
    request.filter = kExportFilter;
    request.initialName = kDefaultName;
    const std::optional<std::string> chosen = m_doc.Providers().saveFile(request);
    if (!chosen) {
        return;
    }
    const int steps = m_playback.StepCount();
    QProgressDialog dialog(QString::fromUtf8(kProgressText), QString::fromUtf8(kCancelText), 0,
                           steps, this);
    dialog.setWindowTitle(QString::fromUtf8(kExportTitle));
    dialog.setWindowModality(Qt::WindowModal);
    dialog.setMinimumDuration(kProgressDelayMs);
    dialog.setValue(0);
    const LoopExportResult result =
        ExportLoop(WithExtension(*chosen, ".gif"), [&dialog](int done, int) {
            dialog.setValue(done);
            return !dialog.wasCanceled();
        });
    dialog.reset();
    if (result != LoopExportResult::kWritten && result != LoopExportResult::kCancelled) {
        ShowMessage(LoopExportMessage(result));
    }
}
