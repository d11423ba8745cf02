// kelvra-cli animate, in the picture module: the pictures render makes of
// several products, in observation-time order, written as one animated GIF
// or as numbered PNG files in a folder.

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "browse/LoopTimeline.h"
#include "cli/AnimateArgs.h"
#include "cli/CliPictureJob.h"
#include "cli/PictureModuleVerbs.h"
#include "image/GifLoop.h"
#include "image/GifWriter.h"
#include "image/IndexedFrame.h"
#include "platform/ReplacementFolder.h"
#include "platform/Utf8Path.h"
#include "product/HeaderSummary.h"

namespace {

// The inputs in observation-time order; files whose headers give no time
// follow in the order given.
std::vector<std::string> InObservationOrder(const std::vector<std::string>& inputs) {
    std::vector<FrameEntry> frames;
    for (const std::string& path : inputs) {
        FrameEntry frame;
        frame.path = path;
        AwxSummary summary;
        if (ReadAwxSummary(path, summary)) {
            const AwxSecondHeader& h = summary.second;
            frame.observedMinutes = ObservationMinutes(h.year, h.month, h.day, h.hour, h.minute);
        }
        frames.push_back(frame);
    }
    SortByObservationTime(frames);
    std::vector<std::string> ordered;
    for (const FrameEntry& frame : frames) {
        ordered.push_back(frame.path);
    }
    return ordered;
}

// Opens and composes one frame; the picture and image stay for the caller.
class CFrameComposer {
public:
    explicit CFrameComposer(CCliPictureJob& job) : m_job(job), m_picture(job.MakePicture()) {}
    bool Compose(const std::string& path) {
        if (!Open(path)) {
            return false;
        }
        PictureSubject subject(m_product);
        subject.path = path;
        int recompose = 1;
        return m_job.Compose(m_image, subject, recompose, m_picture) == 1;
    }
    // Composes and saves the frame as PNG in one call.
    bool Save(const std::string& path, const std::string& png) {
        if (!Open(path)) {
            return false;
        }
        PictureSubject subject(m_product);
        subject.path = path;
        PictureTarget target;
        target.path = png;
        target.png = true;
        return m_job.Save(m_image, subject, target) == PictureSaveResult::kSaved;
    }
    // The frame as the GIF loop reads it: no pixels are copied.
    LoopPicture View() const {
        const DevicePixels& pixels = m_picture.Pixels();
        return LoopPicture{
            RgbFrameView{pixels.top, pixels.pixelsPerLine, pixels.width, pixels.height},
            FrameBaseOf(m_image)};
    }

private:
    bool Open(const std::string& path) {
        m_product = CGeoImage();
        m_image = CDibImage();
        return m_job.Open(path, m_product, m_image);
    }

    CCliPictureJob& m_job;
    CGeoImage m_product;
    CDibImage m_image;
    CRasterPicture m_picture;
};

int WriteGif(const AnimateArgs& options, const std::vector<std::string>& frames,
             CCliPictureJob& job) {
    CFrameComposer composer(job);
    const LoopPictureSource source = [&](int index, LoopPicture& picture) {
        if (!composer.Compose(frames[static_cast<std::size_t>(index)])) {
            return false;
        }
        picture = composer.View();
        return true;
    };
    GifLoopSettings settings;
    settings.delayCentiseconds = GifDelayOf(options.delayMs);
    settings.loopCount = options.loopCount;
    const LoopExportResult result = WriteGifLoop(options.output, static_cast<int>(frames.size()),
                                                 source, settings, LoopProgress());
    if (result != LoopExportResult::kWritten) {
        std::fprintf(stderr, "kelvra-cli: %s %s\n", LoopExportMessage(result),
                     options.output.c_str());
        return kExitFailed;
    }
    return kExitOk;
}

// "frame_" digits ".png": what an earlier run left in the folder.
bool IsFrameFileName(const std::string& name) {
    const std::string prefix = "frame_";
    const std::string suffix = ".png";
    if (name.size() <= prefix.size() + suffix.size() || name.rfind(prefix, 0) != 0 ||
        name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0) {
        return false;
    }
    return std::all_of(name.begin() + static_cast<std::ptrdiff_t>(prefix.size()),
                       name.end() - static_cast<std::ptrdiff_t>(suffix.size()),
                       [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; });
}

const char* FolderRefusal(CReplacementFolder::OpenResult result) {
    switch (result) {
        case CReplacementFolder::OpenResult::kNotAFolder:
            return "is not a folder";
        case CReplacementFolder::OpenResult::kHoldsOtherFiles:
            return "holds files other than earlier frames; it is left alone";
        default:
            return "cannot have a new folder made beside it";
    }
}

// frame_001.png … written into a new folder that takes the output folder's
// place only when every frame is in it: the folder holds its old loop or the
// new one, and a failed run leaves neither.
int WritePngFolder(const AnimateArgs& options, const std::vector<std::string>& frames,
                   CCliPictureJob& job) {
    CReplacementFolder folder(options.output, IsFrameFileName);
    if (const auto opened = folder.Open(); opened != CReplacementFolder::OpenResult::kOpened) {
        std::fprintf(stderr, "kelvra-cli: %s %s\n", folder.Target().c_str(), FolderRefusal(opened));
        return kExitFailed;
    }
    CFrameComposer composer(job);
    const std::size_t digits = std::max<std::size_t>(3, std::to_string(frames.size()).size());
    for (std::size_t i = 0; i < frames.size(); ++i) {
        const std::string number = std::to_string(i + 1);
        const std::string name =
            "frame_" + std::string(digits - number.size(), '0') + number + ".png";
        if (!composer.Save(frames[i], Utf8FromPath(PathFromUtf8(folder.Folder()) / name))) {
            std::fprintf(stderr, "kelvra-cli: frame %zu (%s) not written to %s\n", i + 1,
                         frames[i].c_str(), folder.Target().c_str());
            return kExitFailed;
        }
    }
    if (!folder.Commit()) {
        std::fprintf(stderr, "kelvra-cli: the frames could not take the place of %s\n",
                     folder.Target().c_str());
        return kExitFailed;
    }
    return kExitOk;
}

}  // namespace

int AnimatePictures(const CliArgs& args) {
    AnimateArgs options;
    if (const std::string problem = ParseAnimateArgs(args, options); !problem.empty()) {
        std::fprintf(stderr, "kelvra-cli: %s\n", problem.c_str());
        return kExitUsage;
    }
    CCliPictureJob job;
    if (!job.Prepare(options.picture)) {
        return kExitFailed;
    }
    // The frames share their geometry: what the layers drew is kept.
    job.KeepLayers(true);
    const std::vector<std::string> frames = InObservationOrder(options.inputs);
    return IsFolderOutput(options.output) ? WritePngFolder(options, frames, job)
                                          : WriteGif(options, frames, job);
}
