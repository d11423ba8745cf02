#pragma once
// Hand-built packed blocks for the image tests.

#include <cstdint>
#include <vector>

#include "image/DibLayout.h"
#include "platform/ByteOrder.h"

// A 40-byte-header block with `entries` table entries (grey ramp) and zero pixels.
inline std::vector<std::uint8_t> MakeInfoBlock(int width, int height, int bits, int clrUsed,
                                               int entries) {
    const std::size_t stride = static_cast<std::size_t>(DibStride(bits, width));
    std::vector<std::uint8_t> block(40 + static_cast<std::size_t>(entries) * 4 + stride * height);
    WriteInfoHeader(block.data(), width, height, bits, 0);
    WriteInt32LE(block.data() + 32, static_cast<std::uint32_t>(clrUsed));
    for (int i = 0; i < entries; ++i) {
        std::uint8_t* e = block.data() + 40 + i * 4;
        e[0] = static_cast<std::uint8_t>(i);      // blue
        e[1] = static_cast<std::uint8_t>(i * 2);  // green
        e[2] = static_cast<std::uint8_t>(i * 3);  // red
    }
    return block;
}

// A 12-byte core-header block with the depth's full 3-byte table.
inline std::vector<std::uint8_t> MakeCoreBlock(int width, int height, int bits) {
    const int entries = DefaultColorEntries(bits);
    const std::size_t stride = static_cast<std::size_t>(DibStride(bits, width));
    std::vector<std::uint8_t> block(12 + static_cast<std::size_t>(entries) * 3 + stride * height);
    WriteInt32LE(block.data(), 12);
    WriteInt16LE(block.data() + 4, width);
    WriteInt16LE(block.data() + 6, height);
    WriteInt16LE(block.data() + 8, 1);
    WriteInt16LE(block.data() + 10, bits);
    for (int i = 0; i < entries; ++i) {
        block[12 + i * 3 + 2] = static_cast<std::uint8_t>(i);  // red
    }
    return block;
}

#include "image/CDibImage.h"

// The test picture: a value every pixel can tell apart from its neighbours.
inline std::uint32_t PatternColour(int x, int y) {
    const std::uint32_t r = static_cast<std::uint32_t>(x * 7 + y) & 0xFF;
    const std::uint32_t g = static_cast<std::uint32_t>(y * 5) & 0xFF;
    const std::uint32_t b = static_cast<std::uint32_t>((x ^ y) * 3) & 0xFF;
    return r | (g << 8) | (b << 16);
}

// A 24-bit (or 8-bit, red byte as index) image painted with the pattern.
inline CDibImage PatternImage(int width, int height, int bits) {
    CDibImage image;
    image.CreateBlank(width, height, bits);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            image.SetPixel(x, y, PatternColour(x, y));
        }
    }
    return image;
}

inline std::uint32_t PixelOf(const CDibImage& image, int x, int y) {
    std::uint32_t v = 0xFFFFFFFF;
    image.GetPixel(x, y, v);
    return v;
}
