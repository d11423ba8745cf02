#pragma once
// The composition's picture as a device picture in memory, without Qt: the
// command line composes into it and saves from it. Its pixels live in a
// block that can become the 24-bit image of the picture in place, so a
// picture that is only saved is never copied whole.

#include <cstdint>
#include <memory>
#include <vector>

#include "compose/CPicture.h"
#include "platform/DevicePixels.h"

class CTextRaster;

class CRasterPicture : public CPicture {
public:
    // Text is written through text (see CRasterCanvas), which must outlive
    // the picture; nullptr draws none.
    explicit CRasterPicture(CTextRaster* text) : m_pText(text) {}
    CRasterPicture(const CRasterPicture&) = delete;
    CRasterPicture& operator=(const CRasterPicture&) = delete;

    bool Fits(int width, int height) const override;
    bool Rebuild(const CDibImage& image) override;
    bool PutImage(const CDibImage& image) override;
    bool PutImagePixels(const CDibImage& image, const std::vector<std::uint32_t>& at) override;
    std::unique_ptr<CCanvas> OpenCanvas() override;

    // Empty until the first composition.
    const DevicePixels& Pixels() const { return m_pixels; }
    // Turns the picture into the 24-bit image it shows (40-byte header,
    // bottom-up rows) in the picture's own memory; the picture is empty
    // afterwards. False, the image unchanged, for an empty picture.
    bool TakeImage(CDibImage& image);

private:
    CTextRaster* m_pText;
    std::vector<std::uint8_t> m_block;
    DevicePixels m_pixels;
};
