// The noise walk. The selection draw is made for every pixel of the region's
// bounds, the three offsets only for affected pixels inside the region, so the
// sequence of draws is the same whichever walk runs.

#include "image/CDibImage.h"
#include "image/PointOperation.h"
#include "platform/Rand15.h"

namespace {

// (draw * 256) / 32767 - 128: from -128 to +128.
int NoiseOffset(CRand15& generator) {
    return generator.Next() * 256 / CRand15::kMax - 128;
}

// Channels wrap around modulo 256 instead of clamping.
std::uint8_t AddWrapped(std::uint32_t channel, int offset) {
    return static_cast<std::uint8_t>((static_cast<int>(channel) + offset) & 0xff);
}

std::uint32_t NoisyPixel(std::uint32_t value, CRand15& generator) {
    const int red = NoiseOffset(generator);
    const int green = NoiseOffset(generator);
    const int blue = NoiseOffset(generator);
    return std::uint32_t{AddWrapped(value & 0xffu, red)} |
           (std::uint32_t{AddWrapped((value >> 8) & 0xffu, green)} << 8) |
           (std::uint32_t{AddWrapped((value >> 16) & 0xffu, blue)} << 16);
}

bool NoisePerPixel(CDibImage& image, int threshold, CRand15& generator) {
    std::uint8_t* bits = image.LockBits();
    const CImageRegion& region = image.Region();
    const DibRect r = region.Bounds();
    for (int y = r.top; y < r.bottom; ++y) {
        for (int x = r.left; x < r.right; ++x) {
            const bool affected = generator.Next() < threshold;
            if (!region.Contains(x, y)) {
                continue;
            }
            std::uint32_t value = 0;
            if (!image.GetPixel(bits, x, y, value)) {
                return false;
            }
            if (affected) {
                value = NoisyPixel(value, generator);
            }
            if (!image.SetPixel(bits, x, y, value)) {
                return false;
            }
        }
    }
    return true;
}

bool NoiseRows8(CDibImage& image, int threshold, CRand15& generator) {
    std::uint8_t* bits = image.LockBits();
    if (bits == nullptr) {
        return false;  // no memory for the image's own copy
    }
    const DibRect r = image.Region().Bounds();
    for (int y = r.top; y < r.bottom; ++y) {
        std::uint8_t* p = PictureRow(image, bits, y) + r.left;
        for (int x = 0; x < r.Width(); ++x) {
            if (generator.Next() < threshold) {
                // Only the red result is stored as the index; green and blue
                // are still drawn.
                p[x] = AddWrapped(p[x], NoiseOffset(generator));
                generator.Next();
                generator.Next();
            }
        }
    }
    return true;
}

bool NoiseRows24(CDibImage& image, int threshold, CRand15& generator) {
    std::uint8_t* bits = image.LockBits();
    if (bits == nullptr) {
        return false;  // no memory for the image's own copy
    }
    const DibRect r = image.Region().Bounds();
    for (int y = r.top; y < r.bottom; ++y) {
        std::uint8_t* p = PictureRow(image, bits, y) + r.left * 3;
        for (int x = 0; x < r.Width(); ++x, p += 3) {
            if (generator.Next() < threshold) {
                // Memory order is blue, green, red; draws are red first.
                p[2] = AddWrapped(p[2], NoiseOffset(generator));
                p[1] = AddWrapped(p[1], NoiseOffset(generator));
                p[0] = AddWrapped(p[0], NoiseOffset(generator));
            }
        }
    }
    return true;
}

}  // namespace

bool AddNoiseWalk(CDibImage& image, int percent, CRand15& generator, WalkPath path) {
    if (image.IsEmpty() || !image.PushHistory(kIdsAddNoise)) {
        return false;
    }
    const int threshold = percent * CRand15::kMax / 100;
    if (path == WalkPath::kFastest && CanWalkRows(image)) {
        const bool done = image.BitsPerPixel() == 8 ? NoiseRows8(image, threshold, generator)
                                                    : NoiseRows24(image, threshold, generator);
        if (!done) {
            image.RollBack();
        }
        return done;
    }
    if (!NoisePerPixel(image, threshold, generator)) {
        image.RollBack();
        return false;
    }
    return true;
}
