#include "image/DeviceConversion.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <new>
#include <vector>

#include "image/DibLayout.h"
#include "platform/ByteOrder.h"
#include "platform/CanvasTiles.h"

namespace {

using ColourLookup = std::array<std::uint32_t, 256>;

// The colour table as device colours; entries it does not hold stay black.
ColourLookup BuildLookup(const CDibImage& image) {
    ColourLookup lookup;
    lookup.fill(DeviceRgb(0, 0, 0));
    const std::vector<std::uint32_t>& palette = image.Palette();
    for (std::size_t i = 0; i < palette.size() && i < lookup.size(); ++i) {
        const std::uint32_t c = palette[i];
        lookup[i] = DeviceColour(c);
    }
    return lookup;
}

// Pixels [x0, x1) of a stored row into device colours; src and dst are the
// rows' starts.
void ConvertRow(const std::uint8_t* src, std::uint32_t* dst, int x0, int x1, int bits,
                const ColourLookup& lookup) {
    switch (bits) {
        case 8: {
            // Eight indices are read at a time, so that loads and stores
            // interleave less.
            int x = x0;
            for (; x + 8 <= x1; x += 8) {
                std::uint64_t indices = 0;
                std::memcpy(&indices, src + x, sizeof indices);
                std::uint32_t colours[8];
                for (int k = 0; k < 8; ++k) {
                    const int shift =
                        std::endian::native == std::endian::little ? 8 * k : 56 - 8 * k;
                    colours[k] = lookup[(indices >> shift) & 0xFFu];
                }
                std::memcpy(dst + x, colours, sizeof colours);
            }
            for (; x < x1; ++x) {
                dst[x] = lookup[src[x]];
            }
            break;
        }
        case 4:
            for (int x = x0; x < x1; ++x) {
                const std::uint8_t pair = src[x / 2];
                dst[x] = lookup[(x & 1) ? (pair & 0x0F) : (pair >> 4)];
            }
            break;
        case 1:
            for (int x = x0; x < x1; ++x) {
                dst[x] = lookup[(src[x / 8] >> (7 - x % 8)) & 1];
            }
            break;
        case 24:
            // A constant step lets the compiler convert several pixels at
            // once: composites of several channels are 24-bit.
            for (int x = x0; x < x1; ++x) {
                const std::uint8_t* p = src + static_cast<std::size_t>(x) * 3;
                dst[x] = DeviceRgb(p[2], p[1], p[0]);
            }
            break;
        default: {
            const int step = bits / 8;  // 32: blue, green, red first
            for (int x = x0; x < x1; ++x) {
                const std::uint8_t* p = src + static_cast<std::size_t>(x) * step;
                dst[x] = DeviceRgb(p[2], p[1], p[0]);
            }
            break;
        }
    }
}

// Blue, green, red of each device colour, three bytes a pixel. Four pixels
// are packed into three 32-bit words at a time (the same bytes, written in
// fewer stores).
void PackRow24(const std::uint32_t* src, std::uint8_t* dst, int width) {
    int x = 0;
    for (; x + 4 <= width; x += 4, dst += 12) {
        const std::uint32_t p0 = src[x] & 0xFFFFFFu;
        const std::uint32_t p1 = src[x + 1] & 0xFFFFFFu;
        const std::uint32_t p2 = src[x + 2] & 0xFFFFFFu;
        const std::uint32_t p3 = src[x + 3] & 0xFFFFFFu;
        const std::uint32_t words[3] = {p0 | (p1 << 24), (p1 >> 8) | (p2 << 16),
                                        (p2 >> 16) | (p3 << 8)};
        for (int k = 0; k < 3; ++k) {
            WriteInt32LE(dst + 4 * k, words[k]);
        }
    }
    for (; x < width; ++x, dst += 3) {
        dst[0] = static_cast<std::uint8_t>(src[x]);
        dst[1] = static_cast<std::uint8_t>(src[x] >> 8);
        dst[2] = static_cast<std::uint8_t>(src[x] >> 16);
    }
}

// PackRow24 for a row packed over its own bytes (to <= from): four pixels
// are read before their twelve bytes are written, and the bytes written
// never reach pixels still to be read.
void PackRow24InPlace(const std::uint8_t* from, std::uint8_t* to, int width) {
    int x = 0;
    for (; x + 4 <= width; x += 4, from += 16, to += 12) {
        std::uint32_t p[4];
        std::memcpy(p, from, sizeof p);
        const std::uint32_t p0 = p[0] & 0xFFFFFFu;
        const std::uint32_t p1 = p[1] & 0xFFFFFFu;
        const std::uint32_t p2 = p[2] & 0xFFFFFFu;
        const std::uint32_t p3 = p[3] & 0xFFFFFFu;
        WriteInt32LE(to, p0 | (p1 << 24));
        WriteInt32LE(to + 4, (p1 >> 8) | (p2 << 16));
        WriteInt32LE(to + 8, (p2 >> 16) | (p3 << 8));
    }
    for (; x < width; ++x, from += 4, to += 3) {
        std::uint32_t p = 0;
        std::memcpy(&p, from, sizeof p);
        to[0] = static_cast<std::uint8_t>(p);
        to[1] = static_cast<std::uint8_t>(p >> 8);
        to[2] = static_cast<std::uint8_t>(p >> 16);
    }
}

bool Readable(const CDibImage& image) {
    const int bits = image.BitsPerPixel();
    return !image.IsEmpty() && image.Compression() == 0 && image.Width() > 0 &&
           image.Height() > 0 && (bits == 1 || bits == 4 || bits == 8 || bits == 24 || bits == 32);
}

// The image's stored row that is picture row y (rows are stored bottom-up).
const std::uint8_t* PictureRowOf(const CDibImage& image, int y) {
    return image.LockBits() + static_cast<std::size_t>(image.Height() - 1 - y) *
                                  static_cast<std::size_t>(image.Stride());
}

// A picture of the image's size for a readable image.
bool PictureOf(const CDibImage& image, const DevicePixels& picture) {
    return Readable(image) && !picture.Empty() && picture.width == image.Width() &&
           picture.height == image.Height();
}

}  // namespace

bool HasDevicePicture(const CDibImage& image) {
    return Readable(image);
}

bool ImageToDevicePixels(const CDibImage& image, const DevicePixels& picture) {
    if (!PictureOf(image, picture)) {
        return false;
    }
    const ColourLookup lookup = BuildLookup(image);
    for (int y = 0; y < image.Height(); ++y) {
        ConvertRow(PictureRowOf(image, y), picture.Row(y), 0, image.Width(), image.BitsPerPixel(),
                   lookup);
    }
    return true;
}

bool ImageToDevicePixels(const CDibImage& image, const DevicePixels& picture,
                         const std::vector<std::uint32_t>& at) {
    const int width = image.Width();
    const int height = image.Height();
    if (!PictureOf(image, picture)) {
        return false;
    }
    const ColourLookup lookup = BuildLookup(image);
    const PixelOffsets offsets(static_cast<int>(picture.pixelsPerLine));
    std::uint32_t* pixels = picture.top;
    const int depth = image.BitsPerPixel();
    for (std::uint32_t offset : at) {
        int x = 0;
        int y = 0;
        offsets.Split(offset, x, y);
        if (x >= width || y >= height) {
            continue;
        }
        const std::uint8_t* src = PictureRowOf(image, y);
        if (depth == 8) {
            pixels[offset] = lookup[src[x]];
        } else {
            ConvertRow(src, pixels + (offset - x), x, x + 1, depth, lookup);
        }
    }
    return true;
}

bool DevicePixelsToImage(CDibImage& image, const DevicePixels& picture) {
    if (picture.Empty()) {
        return false;
    }
    const int width = picture.width;
    const int height = picture.height;
    const std::size_t stride = static_cast<std::size_t>(DibStride(24, width));
    const std::size_t imageSize = stride * static_cast<std::size_t>(height);
    // Each stored row is zeroed just before it is written (its padding stays
    // 0), while it is in the cache, instead of zeroing the block first.
    std::vector<std::uint8_t> block;
    block.reserve(kDibInfoHeaderBytes + imageSize);
    block.resize(kDibInfoHeaderBytes);
    WriteInfoHeader(block.data(), width, height, 24, 0);
    WriteInt32LE(block.data() + 20, static_cast<std::uint32_t>(imageSize));
    for (int row = 0; row < height; ++row) {
        // Stored rows go bottom-up.
        const std::uint32_t* src = picture.Row(height - 1 - row);
        const std::size_t at = block.size();
        block.resize(at + stride);
        PackRow24(src, block.data() + at, width);
    }
    // The block is adopted as it is: no second copy of the picture.
    DibLayout layout;
    if (!DescribeDib(block.data(), block.size(), layout)) {
        return false;
    }
    return image.Attach(std::move(block));
}

namespace {

// The picture starts this far into its block, behind room for the image
// header and aligned for the drawing code.
constexpr std::size_t kPictureOffset = 64;

std::size_t BlockPictureBytes(int width, int height) {
    return kPictureOffset + 4 * static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
}

}  // namespace

DevicePixels MakeBlockPixels(std::vector<std::uint8_t>& block, int width, int height) {
    if (width <= 0 || height <= 0) {
        return DevicePixels{};
    }
    try {
        block.assign(BlockPictureBytes(width, height), 0);
    } catch (const std::bad_alloc&) {
        return DevicePixels{};
    }
    return DevicePixels{reinterpret_cast<std::uint32_t*>(block.data() + kPictureOffset), width,
                        width, height};
}

bool IsBlockPixels(const std::vector<std::uint8_t>& block, const DevicePixels& pixels) {
    return !pixels.Empty() && pixels.pixelsPerLine == pixels.width &&
           block.size() == BlockPictureBytes(pixels.width, pixels.height) &&
           reinterpret_cast<const std::uint8_t*>(pixels.top) == block.data() + kPictureOffset;
}

bool BlockPixelsToImage(std::vector<std::uint8_t>&& block, int width, int height,
                        CDibImage& image) {
    if (width <= 0 || height <= 0 || block.size() != BlockPictureBytes(width, height)) {
        return false;
    }
    // Rows go bottom-up: the picture's rows are put in that order first, in
    // place. Then every row is packed to three bytes a pixel, from the top:
    // a packed row always lands before the bytes still to be read.
    const std::size_t rowBytes = 4 * static_cast<std::size_t>(width);
    std::uint8_t* pixels = block.data() + kPictureOffset;
    std::vector<std::uint8_t> spare(rowBytes);
    for (int top = 0, bottom = height - 1; top < bottom; ++top, --bottom) {
        std::uint8_t* a = pixels + rowBytes * static_cast<std::size_t>(top);
        std::uint8_t* b = pixels + rowBytes * static_cast<std::size_t>(bottom);
        std::memcpy(spare.data(), a, rowBytes);
        std::memcpy(a, b, rowBytes);
        std::memcpy(b, spare.data(), rowBytes);
    }
    const std::size_t stride = static_cast<std::size_t>(DibStride(24, width));
    const std::size_t imageSize = stride * static_cast<std::size_t>(height);
    for (int row = 0; row < height; ++row) {
        std::uint8_t* to =
            block.data() + kDibInfoHeaderBytes + stride * static_cast<std::size_t>(row);
        const std::uint8_t* from = pixels + rowBytes * static_cast<std::size_t>(row);
        PackRow24InPlace(from, to, width);
        std::fill(to + 3 * static_cast<std::size_t>(width), to + stride, std::uint8_t{0});
    }
    block.resize(kDibInfoHeaderBytes + imageSize);
    WriteInfoHeader(block.data(), width, height, 24, 0);
    WriteInt32LE(block.data() + 20, static_cast<std::uint32_t>(imageSize));
    DibLayout layout;
    if (!DescribeDib(block.data(), block.size(), layout)) {
        return false;
    }
    return image.Attach(std::move(block));
}
