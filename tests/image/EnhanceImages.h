#pragma once
// Small hand-made images for the enhancement and palette tests.

#include <cstdint>
#include <memory>
#include <random>
#include <vector>

#include "image/CDibImage.h"

// An 8-bit image whose every index is level.
inline CDibImage UniformGrey(int width, int height, std::uint8_t level) {
    CDibImage image;
    image.CreateBlank(width, height, 8);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            image.SetPixel(x, y, level);
        }
    }
    return image;
}

// An 8-bit image from rows given top to bottom.
inline CDibImage GreyFromRows(const std::vector<std::vector<int>>& rows) {
    CDibImage image;
    image.CreateBlank(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()), 8);
    for (int y = 0; y < image.Height(); ++y) {
        for (int x = 0; x < image.Width(); ++x) {
            image.SetPixel(x, y, static_cast<std::uint32_t>(rows[y][x]));
        }
    }
    return image;
}

inline CDibImage RandomImage(int width, int height, int bits, std::uint32_t seed) {
    std::mt19937 random(seed);
    CDibImage image;
    image.CreateBlank(width, height, bits);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            image.SetPixel(x, y, random() & 0xffffffu);
        }
    }
    return image;
}

// The red channel (the index of an 8-bit image) of pixel (x, y).
inline int Level(const CDibImage& image, int x, int y) {
    std::uint32_t value = 0;
    image.GetPixel(x, y, value);
    return static_cast<int>(value & 0xffu);
}

inline std::uint32_t PixelOf(const CDibImage& image, int x, int y) {
    std::uint32_t value = 0;
    image.GetPixel(x, y, value);
    return value;
}

inline std::vector<std::uint32_t> AllPixels(const CDibImage& image) {
    std::vector<std::uint32_t> pixels;
    for (int y = 0; y < image.Height(); ++y) {
        for (int x = 0; x < image.Width(); ++x) {
            pixels.push_back(PixelOf(image, x, y));
        }
    }
    return pixels;
}

inline void SetRect(CDibImage& image, int left, int top, int right, int bottom) {
    image.SetRegion(std::make_unique<CImageRegion>(left, top, right, bottom));
}

// A region that leaves out every other column of its bounds.
class CEvenColumns : public CImageRegion {
public:
    using CImageRegion::CImageRegion;
    bool Contains(int x, int y) const override {
        return CImageRegion::Contains(x, y) && x % 2 == 0;
    }
    std::unique_ptr<CImageRegion> Clone() const override {
        return std::make_unique<CEvenColumns>(*this);
    }
};
