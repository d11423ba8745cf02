// kelvra-cli animate: the pictures render makes of several products, in
// observation-time order, written as one animated GIF or as numbered PNG
// files in a folder.

#ifdef KELVRA_HAVE_RENDER

#include <QImage>
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "browse/LoopTimeline.h"
#include "cli/CliPictureJob.h"
#include "cli/CliVerbs.h"
#include "image/GifLoop.h"
#include "image/GifWriter.h"
#include "platform/ReplacementFolder.h"
#include "product/HeaderSummary.h"
#include "render/CGuiSession.h"
#include "render/LoopPictureView.h"

namespace {

constexpr const char* kVerb = "animate";
constexpr int kDefaultDelayMs = 200;
constexpr int kMinDelayMs = 10;
constexpr int kMaxDelayMs = 10 * kMaxGifDelayCentiseconds;

struct AnimateArgs {
    std::vector<std::string> inputs;
    std::string output;
    int delayMs = kDefaultDelayMs;
    int loopCount = 0;
    PictureOptions picture;
};

bool ParseBounded(const std::string& text, int low, int high, int& value) {
    char* end = nullptr;
    const long parsed = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || parsed < low || parsed > high) {
        return false;
    }
    value = static_cast<int>(parsed);
    return true;
}

// The frames go to a folder when the output ends with a separator or names
// an existing folder.
bool IsFolderOutput(const std::string& output) {
    std::error_code ec;
    return output.back() == '/' || std::filesystem::is_directory(output, ec);
}

bool HasGifExtension(const std::string& output) {
    std::string extension = std::filesystem::path(output).extension().string();
    for (char& c : extension) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return extension == ".gif";
}

// The verb's own options; an empty string, or what is wrong.
std::string ParseLoopOption(const CliArgs& args, std::size_t& i, AnimateArgs& options) {
    const std::string& arg = args[i];
    if (i + 1 >= args.size()) {
        return "missing value after " + arg;
    }
    const std::string& value = args[++i];
    if (arg == "-o") {
        options.output = value;
    } else if (arg == "--delay" &&
               !ParseBounded(value, kMinDelayMs, kMaxDelayMs, options.delayMs)) {
        return "bad delay '" + value + "' (milliseconds, " + std::to_string(kMinDelayMs) + "-" +
               std::to_string(kMaxDelayMs) + ")";
    } else if (arg == "--loop" && !ParseBounded(value, 0, kMaxGifLoopCount, options.loopCount)) {
        return "bad loop count '" + value + "' (0 for ever, or 1-" +
               std::to_string(kMaxGifLoopCount) + " repeats)";
    }
    return std::string();
}

std::string ParseAnimateArgs(const CliArgs& args, AnimateArgs& options) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string error;
        const OptionParse parsed = ParsePictureOption(args, i, options.picture, error);
        if (parsed == OptionParse::kBad) {
            return error;
        }
        if (parsed == OptionParse::kTaken) {
            continue;
        }
        const std::string& arg = args[i];
        if (arg == "-o" || arg == "--delay" || arg == "--loop") {
            if (std::string problem = ParseLoopOption(args, i, options); !problem.empty()) {
                return problem;
            }
        } else if (!arg.empty() && arg[0] == '-') {
            return "unknown option '" + arg + "'";
        } else {
            options.inputs.push_back(arg);
        }
    }
    if (options.inputs.empty()) {
        return "no input file";
    }
    if (options.output.empty()) {
        return "no output (-o OUT.gif or -o DIR/)";
    }
    if (!IsFolderOutput(options.output) && !HasGifExtension(options.output)) {
        return "the output must be a .gif file or a folder (ending in /)";
    }
    return std::string();
}

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
    explicit CFrameComposer(CCliPictureJob& job) : m_job(job) {}
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
    const QImage& Picture() const { return m_picture; }
    const CDibImage& Image() const { return m_image; }

private:
    bool Open(const std::string& path) {
        m_product = CGeoImage();
        m_image = CDibImage();
        return m_job.Open(path, m_product, m_image);
    }

    CCliPictureJob& m_job;
    CGeoImage m_product;
    CDibImage m_image;
    QImage m_picture;
};

int WriteGif(const AnimateArgs& options, const std::vector<std::string>& frames,
             CCliPictureJob& job) {
    CFrameComposer composer(job);
    const LoopPictureSource source = [&](int index, LoopPicture& picture) {
        return composer.Compose(frames[static_cast<std::size_t>(index)]) &&
               ViewLoopPicture(composer.Picture(), composer.Image(), picture);
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
        if (!composer.Save(frames[i], (std::filesystem::path(folder.Folder()) / name).string())) {
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

int RunAnimate(const CliArgs& args) {
    AnimateArgs options;
    const std::string problem = ParseAnimateArgs(args, options);
    if (!problem.empty()) {
        return UsageError(kVerb, problem);
    }
    CGuiSession session;
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

#endif  // KELVRA_HAVE_RENDER
