#pragma once
// A loop of composed pictures written as an animated GIF: the pictures are
// asked for one at a time (so a long loop never holds them all), indexed and
// appended, with progress after each. A cancel or any failure leaves no file.

#include <functional>
#include <string>

#include "image/IndexedFrame.h"

// One composed picture and the 8-bit image under it (base.top null for none).
// The views must stay valid until the next picture is asked for.
struct LoopPicture {
    RgbFrameView picture;
    FrameBaseView base;
};

// Makes picture index (0-based, in loop order); false when it cannot be made.
using LoopPictureSource = std::function<bool(int index, LoopPicture& picture)>;
// Told after each written frame; false cancels.
using LoopProgress = std::function<bool(int done, int total)>;

struct GifLoopSettings {
    int delayCentiseconds = 20;
    int loopCount = 0;  // 0 for ever
};

enum class LoopExportResult {
    kWritten,
    kCancelled,
    kNoFrames,
    kPictureFailed,  // a frame's picture could not be made
    kSizeDiffers,    // a frame is not the size of the first
    kWriteFailed,
};

LoopExportResult WriteGifLoop(const std::string& path, int frameCount,
                              const LoopPictureSource& source, const GifLoopSettings& settings,
                              const LoopProgress& progress);

// The message shown for a result other than written or cancelled.
const char* LoopExportMessage(LoopExportResult result);
