#include "compose/CRasterPicture.h"

#include <utility>

#include "compose/CRasterCanvas.h"
#include "image/DeviceConversion.h"

bool CRasterPicture::Fits(int width, int height) const {
    return !m_pixels.Empty() && m_pixels.width == width && m_pixels.height == height;
}

bool CRasterPicture::Rebuild(const CDibImage& image) {
    if (!HasDevicePicture(image)) {
        return false;
    }
    std::vector<std::uint8_t> block;
    const DevicePixels pixels = MakeBlockPixels(block, image.Width(), image.Height());
    if (pixels.Empty()) {
        return false;
    }
    m_block = std::move(block);
    m_pixels = pixels;
    return true;
}

bool CRasterPicture::PutImage(const CDibImage& image) {
    return ImageToDevicePixels(image, m_pixels);
}

bool CRasterPicture::PutImagePixels(const CDibImage& image, const std::vector<std::uint32_t>& at) {
    return ImageToDevicePixels(image, m_pixels, at);
}

std::unique_ptr<CCanvas> CRasterPicture::OpenCanvas() {
    return std::make_unique<CRasterCanvas>(m_pixels, m_pText);
}

bool CRasterPicture::TakeImage(CDibImage& image) {
    if (m_pixels.Empty()) {
        return false;
    }
    const int width = m_pixels.width;
    const int height = m_pixels.height;
    m_pixels = DevicePixels{};
    return BlockPixelsToImage(std::move(m_block), width, height, image);
}
