#pragma once
// The conversions between the packed image and a device picture
// (platform/DevicePixels.h), without Qt: the render layer's QImage and the
// command line's raster picture share them, so both show an image in the
// same pixels.

#include <cstdint>
#include <vector>

#include "image/CDibImage.h"
#include "platform/DevicePixels.h"

// True when the image's pixels can be turned into a picture: uncompressed,
// 1, 4, 8, 24 or 32 bits per pixel.
bool HasDevicePicture(const CDibImage& image);

// The image into a picture of its size, top row first: images of up to 8
// bits per pixel through their colour table (indices beyond it show black),
// 24- and 32-bit images by their bytes. False, the picture untouched, when
// the sizes differ or the image has no picture.
bool ImageToDevicePixels(const CDibImage& image, const DevicePixels& picture);
// The same at the picture's pixels given as y * pixelsPerLine + x only;
// elsewhere the picture is left as it is.
bool ImageToDevicePixels(const CDibImage& image, const DevicePixels& picture,
                         const std::vector<std::uint32_t>& at);

// Replaces the image by a 24-bit copy of the picture (40-byte header,
// bottom-up rows). False, with the image unchanged, for an empty picture.
bool DevicePixelsToImage(CDibImage& image, const DevicePixels& picture);

// A picture for a composition whose result is only saved: its pixels live in
// block, so that the composed picture can become the 24-bit image
// DevicePixelsToImage would make of it in that same memory, instead of being
// copied into a new one. Empty when there is no memory.
DevicePixels MakeBlockPixels(std::vector<std::uint8_t>& block, int width, int height);
// True when pixels are those MakeBlockPixels made in block.
bool IsBlockPixels(const std::vector<std::uint8_t>& block, const DevicePixels& pixels);
// Turns the block of a picture made by MakeBlockPixels into the image
// DevicePixelsToImage makes of that picture; the picture must no longer be
// used. False, with the image unchanged, for a block of another size.
bool BlockPixelsToImage(std::vector<std::uint8_t>&& block, int width, int height, CDibImage& image);
