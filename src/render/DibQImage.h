#pragma once
// Conversion between the packed image and the off-screen picture
// (QImage::Format_RGB32): one way in, one way out. The core image knows
// nothing of Qt; these live in the render layer.

#include <QImage>
#include <cstdint>
#include <vector>

#include "image/CDibImage.h"
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
// True when the image's pixels can be turned into a picture.
bool HasDevicePicture(const CDibImage& image);

// Replaces the image by a 24-bit copy of the picture (40-byte header,
// bottom-up rows). False, with the image unchanged, for a null picture.
bool FromDeviceBitmap(CDibImage& image, const QImage& picture);

// A picture for a composition whose result is only saved: its pixels live in
// block, so that the composed picture can become the 24-bit image
// FromDeviceBitmap would make of it in that same memory, instead of being
// copied into a new one. A null picture when there is no memory.
QImage MakeBlockPicture(std::vector<std::uint8_t>& block, int width, int height);
// True when picture still draws into block (a composition may have replaced
// it by a picture of its own).
bool IsBlockPicture(const std::vector<std::uint8_t>& block, const QImage& picture);
// Turns the block of a picture made by MakeBlockPicture into the image
// FromDeviceBitmap makes of that picture; the picture must no longer be
// used. False, with the image unchanged, for a block of another size.
bool BlockPictureToImage(std::vector<std::uint8_t>&& block, int width, int height,
                         CDibImage& image);
