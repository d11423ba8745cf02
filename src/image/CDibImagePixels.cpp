// Single-pixel access by depth. Pixel (x, y) counts y from the top of the
// picture; it lives in stored row height - 1 - y because rows are bottom-up.

#include "image/CDibImage.h"

namespace {

constexpr std::uint32_t kGreyOne = 255;

std::uint32_t Grey(std::uint32_t v) {
    return v | (v << 8) | (v << 16);
}

std::uint32_t ReadBgr(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[2]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[0]) << 16);
}

}  // namespace

bool CDibImage::GetPixel(int x, int y, std::uint32_t& value) const {
    return GetPixel(LockBits(), x, y, value);
}

bool CDibImage::SetPixel(int x, int y, std::uint32_t value) {
    return SetPixel(LockBits(), x, y, value);
}

bool CDibImage::GetPixel(const std::uint8_t* bits, int x, int y, std::uint32_t& value) const {
    // Run-length rows have no fixed place for a pixel.
    if (bits == nullptr || m_layout.IsRunLength() || x < 0 || x >= m_nWidth || y < 0 ||
        y >= m_nHeight) {
        return false;
    }
    const std::uint8_t* row = bits + static_cast<std::size_t>(m_nHeight - 1 - y) * m_nStride;
    switch (m_nBitsPerPixel) {
        case 1:
            value = ((row[x >> 3] >> (7 - (x & 7))) & 1) != 0 ? kGreyOne : 0;
            return true;
        case 4:
            value = (x & 1) == 0 ? (row[x >> 1] >> 4) : (row[x >> 1] & 0x0F);
            return true;
        case 8:
            value = Grey(row[x]);
            return true;
        case 24:
            value = ReadBgr(row + static_cast<std::size_t>(x) * 3);
            return true;
        case 32:
            value = ReadBgr(row + static_cast<std::size_t>(x) * 4);
            return true;
        default:
            return false;
    }
}

bool CDibImage::SetPixel(std::uint8_t* bits, int x, int y, std::uint32_t value) {
    if (bits == nullptr || !IsWritable() || x < 0 || x >= m_nWidth || y < 0 || y >= m_nHeight) {
        return false;
    }
    std::uint8_t* row = bits + static_cast<std::size_t>(m_nHeight - 1 - y) * m_nStride;
    switch (m_nBitsPerPixel) {
        case 1: {
            const std::uint8_t mask = static_cast<std::uint8_t>(0x80u >> (x & 7));
            row[x >> 3] = value != 0 ? (row[x >> 3] | mask) : (row[x >> 3] & ~mask);
            return true;
        }
        case 4: {
            const std::uint8_t nibble = value & 0x0F;
            std::uint8_t& b = row[x >> 1];
            b = (x & 1) == 0 ? ((b & 0x0F) | (nibble << 4)) : ((b & 0xF0) | nibble);
            return true;
        }
        case 8:
            row[x] = static_cast<std::uint8_t>(value & 0xFF);
            return true;
        case 24: {
            std::uint8_t* p = row + static_cast<std::size_t>(x) * 3;
            p[0] = static_cast<std::uint8_t>((value >> 16) & 0xFF);
            p[1] = static_cast<std::uint8_t>((value >> 8) & 0xFF);
            p[2] = static_cast<std::uint8_t>(value & 0xFF);
            return true;
        }
        default:
            return false;
    }
}
