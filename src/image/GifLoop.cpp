#include "image/GifLoop.h"

#include "image/GifWriter.h"

LoopExportResult WriteGifLoop(const std::string& path, int frameCount,
                              const LoopPictureSource& source, const GifLoopSettings& settings,
                              const LoopProgress& progress) {
    if (frameCount <= 0) {
        return LoopExportResult::kNoFrames;
    }
    CGifWriter writer(path);
    IndexedFrame indexed;
    for (int i = 0; i < frameCount; ++i) {
        LoopPicture frame;
        if (!source(i, frame)) {
            return LoopExportResult::kPictureFailed;
        }
        if (i == 0 && !writer.Open(frame.picture.width, frame.picture.height, settings.loopCount)) {
            return LoopExportResult::kWriteFailed;
        }
        if (i > 0 &&
            (frame.picture.width != indexed.width || frame.picture.height != indexed.height)) {
            return LoopExportResult::kSizeDiffers;
        }
        if (!IndexFrame(frame.picture, &frame.base, indexed) ||
            !writer.AddFrame(indexed, settings.delayCentiseconds)) {
            return LoopExportResult::kWriteFailed;
        }
        if (progress && !progress(i + 1, frameCount)) {
            return LoopExportResult::kCancelled;
        }
    }
    return writer.Finish() ? LoopExportResult::kWritten : LoopExportResult::kWriteFailed;
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
