#pragma once
// A composed picture and the image it was composed from, as the GIF loop
// reads them: no pixels are copied.

#include <QImage>

#include "image/CDibImage.h"
#include "image/GifLoop.h"

// The views stay valid while picture and image are unchanged; false for a
// picture that is not a device-format (RGB32) one.
bool ViewLoopPicture(const QImage& picture, const CDibImage& image, LoopPicture& view);
