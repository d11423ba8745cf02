#pragma once
// Conversion between the packed image and the off-screen picture
// (QImage::Format_RGB32), and painting the image through a QPainter. The core
// image knows nothing of Qt; these live in the render layer.

#include <QImage>
#include <QPainter>
#include <QRect>

#include "image/CDibImage.h"

// The picture of the image, top row first: images of up to 8 bits per pixel
// through their colour table (indices beyond it show black), 24- and 32-bit
// images by their bytes. A null picture for an empty image or one whose
// pixels cannot be read (run-length compressed, unknown depth).
QImage ToDeviceBitmap(const CDibImage& image);

// Replaces the image by a 24-bit copy of the picture (40-byte header,
// bottom-up rows). False, with the image unchanged, for a null picture.
bool FromDeviceBitmap(CDibImage& image, const QImage& picture);

// Paints the source rectangle of the image (image pixels, top row first) into
// the destination rectangle: a plain copy when the sizes agree, otherwise a
// nearest-neighbour stretch. False when the image has no picture.
bool Draw(const CDibImage& image, QPainter& painter, const QRect& destination, const QRect& source);
// The whole image at (0, 0), 1:1.
bool Draw(const CDibImage& image, QPainter& painter);
