#include "render/DibQImage.h"

namespace {

// The RGB32 pixels of the picture, or none for a picture of another format
// or size; a picture shared with another is detached first.
DevicePixels WritablePixels(QImage& picture, int width, int height) {
    if (picture.format() != QImage::Format_RGB32 || picture.width() != width ||
        picture.height() != height) {
        return DevicePixels{};
    }
    return DevicePixels{reinterpret_cast<std::uint32_t*>(picture.bits()),
                        static_cast<std::ptrdiff_t>(picture.bytesPerLine() / 4), width, height};
}

// The pixels of an RGB32 picture, for reading only.
DevicePixels ReadablePixels(const QImage& picture) {
    if (picture.isNull() || picture.format() != QImage::Format_RGB32) {
        return DevicePixels{};
    }
    return DevicePixels{
        const_cast<std::uint32_t*>(reinterpret_cast<const std::uint32_t*>(picture.constBits())),
        static_cast<std::ptrdiff_t>(picture.bytesPerLine() / 4), picture.width(), picture.height()};
}

}  // namespace

bool ToDeviceBitmap(const CDibImage& image, QImage& picture) {
    return HasDevicePicture(image) &&
           ImageToDevicePixels(image, WritablePixels(picture, image.Width(), image.Height()));
}

bool ToDeviceBitmap(const CDibImage& image, QImage& picture, const std::vector<std::uint32_t>& at) {
    return HasDevicePicture(image) &&
           ImageToDevicePixels(image, WritablePixels(picture, image.Width(), image.Height()), at);
}

QImage ToDeviceBitmap(const CDibImage& image) {
    if (!HasDevicePicture(image)) {
        return QImage();
    }
    QImage picture(image.Width(), image.Height(), QImage::Format_RGB32);
    if (picture.isNull() || !ToDeviceBitmap(image, picture)) {
        return QImage();
    }
    return picture;
}

bool FromDeviceBitmap(CDibImage& image, const QImage& picture) {
    if (picture.isNull() || picture.width() <= 0 || picture.height() <= 0) {
        return false;
    }
    const QImage rgb = picture.format() == QImage::Format_RGB32
                           ? picture
                           : picture.convertToFormat(QImage::Format_RGB32);
    return DevicePixelsToImage(image, ReadablePixels(rgb));
}
