#include "render/LoopPictureView.h"

bool ViewLoopPicture(const QImage& picture, const CDibImage& image, LoopPicture& view) {
    if (picture.isNull() || picture.format() != QImage::Format_RGB32) {
        return false;
    }
    view.picture.top = reinterpret_cast<const std::uint32_t*>(picture.constBits());
    view.picture.stride = picture.bytesPerLine() / static_cast<qsizetype>(sizeof(std::uint32_t));
    view.picture.width = picture.width();
    view.picture.height = picture.height();
    view.base = FrameBaseOf(image);
    return true;
}
