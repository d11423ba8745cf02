#pragma once
// Conversion between the packed image and the off-screen picture
// (QImage::Format_RGB32): one way in, one way out. The pixels are converted
// by the core (image/DeviceConversion.h); these give it the QImage's memory.

#include <QImage>
#include <cstdint>
#include <vector>

#include "image/CDibImage.h"
#include "image/DeviceConversion.h"
#include "platform/CanvasTiles.h"

// The picture of the image, top row first: images of up to 8 bits per pixel
// through their colour table (indices beyond it show black), 24- and 32-bit
// images by their bytes. A null picture for an empty image or one whose
// pixels cannot be read (run-length compressed, unknown depth).
QImage ToDeviceBitmap(const CDibImage& image);
// The same into an existing RGB32 picture of the image's size, allocating
// nothing; false, with the picture untouched, when the sizes differ or the
// image has no picture.
bool ToDeviceBitmap(const CDibImage& image, QImage& picture);
// The same at the picture's pixels given as y * pixelsPerLine + x only;
// elsewhere the picture is left as it is.
bool ToDeviceBitmap(const CDibImage& image, QImage& picture, const std::vector<std::uint32_t>& at);

// Replaces the image by a 24-bit copy of the picture (40-byte header,
// bottom-up rows). False, with the image unchanged, for a null picture.
bool FromDeviceBitmap(CDibImage& image, const QImage& picture);
