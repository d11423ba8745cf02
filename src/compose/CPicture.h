#pragma once
// The image-sized off-screen picture as the composition sees it. The render
// layer holds the real one (a device-format picture); tests may hold their own.

#include <cstdint>
#include <memory>
#include <vector>

class CCanvas;
class CDibImage;

class CPicture {
public:
    virtual ~CPicture() = default;

    // True when a picture of width × height exists.
    virtual bool Fits(int width, int height) const = 0;
    // Makes a new picture of the image's size. False, with the old picture
    // kept, when the image's pixels cannot be read or there is no memory.
    virtual bool Rebuild(const CDibImage& image) = 0;
    // Writes the image 1:1 through its colour table; false when it cannot.
    virtual bool PutImage(const CDibImage& image) = 0;
    // The same at the pixels given as y * PixelsPerLine() + x only; false
    // when this picture cannot.
    virtual bool PutImagePixels(const CDibImage& image, const std::vector<std::uint32_t>& at) {
        (void)image;
        (void)at;
        return false;
    }
    // A canvas drawing into the picture, for as long as it lives.
    virtual std::unique_ptr<CCanvas> OpenCanvas() = 0;
};
