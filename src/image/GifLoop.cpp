#include "image/GifLoop.h"

#include <array>
#include <future>

#include "image/GifWriter.h"

namespace {

// The compression of one frame runs beside the composition of the next:
// each frame is indexed into one of two buffers, and a buffer is written
// again only after the frame in it has been compressed.
class CFramePipeline {
public:
    CFramePipeline(CGifWriter& writer, int delay) : m_writer(writer), m_nDelay(delay) {}
    // Waits for the frame being compressed.
    ~CFramePipeline() { Wait(); }
    CFramePipeline(const CFramePipeline&) = delete;
    CFramePipeline& operator=(const CFramePipeline&) = delete;

    IndexedFrame& Next() { return m_buffers[m_nNext]; }
    // Compresses Next() in the background; false when the frame before failed.
    bool Submit() {
        if (!Wait()) {
            return false;
        }
        const IndexedFrame& frame = m_buffers[m_nNext];
        m_pending = std::async(std::launch::async,
                               [this, &frame] { return m_writer.AddFrame(frame, m_nDelay); });
        m_nNext = 1 - m_nNext;
        return true;
    }
    // True when every submitted frame was written.
    bool Wait() { return !m_pending.valid() || m_pending.get(); }

private:
    CGifWriter& m_writer;
    int m_nDelay;
    std::array<IndexedFrame, 2> m_buffers;
    std::size_t m_nNext = 0;
    std::future<bool> m_pending;
};

}  // namespace

LoopExportResult WriteGifLoop(const std::string& path, int frameCount,
                              const LoopPictureSource& source, const GifLoopSettings& settings,
                              const LoopProgress& progress) {
    if (frameCount <= 0) {
        return LoopExportResult::kNoFrames;
    }
    CGifWriter writer(path);
    CFramePipeline pipeline(writer, settings.delayCentiseconds);
    int width = 0;
    int height = 0;
    for (int i = 0; i < frameCount; ++i) {
        LoopPicture frame;
        if (!source(i, frame)) {
            return LoopExportResult::kPictureFailed;
        }
        if (i == 0) {
            width = frame.picture.width;
            height = frame.picture.height;
            if (!writer.Open(width, height, settings.loopCount)) {
                return LoopExportResult::kWriteFailed;
            }
        } else if (frame.picture.width != width || frame.picture.height != height) {
            return LoopExportResult::kSizeDiffers;
        }
        if (!IndexFrame(frame.picture, &frame.base, pipeline.Next()) || !pipeline.Submit()) {
            return LoopExportResult::kWriteFailed;
        }
        if (progress && !progress(i + 1, frameCount)) {
            return LoopExportResult::kCancelled;
        }
    }
    return pipeline.Wait() && writer.Finish() ? LoopExportResult::kWritten
                                              : LoopExportResult::kWriteFailed;
}

const char* LoopExportMessage(LoopExportResult result) {
    switch (result) {
        case LoopExportResult::kNoFrames:
            return "没有可导出的动画帧。";
        case LoopExportResult::kPictureFailed:
            return "动画帧无法生成，未导出动画。";
        case LoopExportResult::kSizeDiffers:
            return "动画帧大小不一，未导出动画。";
        case LoopExportResult::kWriteFailed:
            return "动画文件写入失败。";
        case LoopExportResult::kWritten:
        case LoopExportResult::kCancelled:
            break;
    }
    return "";
}
