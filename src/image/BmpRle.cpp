#include "image/BmpRle.h"

#include <algorithm>
#include <new>

#include "image/DibLayout.h"
#include "platform/ByteOrder.h"

namespace {

constexpr int kInfoCompression = 16;
constexpr int kInfoSizeImage = 20;

// Escape codes that follow a zero count.
constexpr std::uint8_t kEndOfLine = 0;
constexpr std::uint8_t kEndOfBitmap = 1;
constexpr std::uint8_t kDelta = 2;

// Writes pixel indices into the stored rows (row 0 is the bottom one, as the
// codes count them); positions outside the picture are dropped.
class CRowWriter {
public:
    CRowWriter(std::uint8_t* rows, const DibLayout& layout)
        : m_rows(rows),
          m_width(layout.width),
          m_height(layout.height),
          m_stride(layout.stride),
          m_bFourBit(layout.bitsPerPixel == 4) {}

    void Put(std::uint8_t index) {
        if (m_x < m_width && m_y < m_height) {
            std::uint8_t* row = m_rows + static_cast<std::size_t>(m_y) * m_stride;
            if (m_bFourBit) {
                std::uint8_t& pair = row[m_x / 2];
                pair = (m_x % 2 == 0) ? static_cast<std::uint8_t>((pair & 0x0F) | (index << 4))
                                      : static_cast<std::uint8_t>((pair & 0xF0) | (index & 0x0F));
            } else {
                row[m_x] = index;
            }
        }
        // Past the right edge the position still counts, so later codes on
        // the row stay cut off too.
        if (m_x < m_width) {
            ++m_x;
        }
    }
    void NextLine() {
        m_x = 0;
        ++m_y;
    }
    void Move(int dx, int dy) {
        m_x = std::min(m_width, m_x + dx);
        m_y += dy;
    }
    bool Done() const { return m_y >= m_height; }

private:
    std::uint8_t* m_rows;
    int m_width;
    int m_height;
    int m_stride;
    bool m_bFourBit;
    int m_x = 0;
    int m_y = 0;
};

// Index k of a run: RLE8 repeats the byte; RLE4 alternates its two nibbles,
// high first.
std::uint8_t RunIndex(std::uint8_t value, int k, bool fourBit) {
    if (!fourBit) {
        return value;
    }
    return (k % 2 == 0) ? static_cast<std::uint8_t>(value >> 4)
                        : static_cast<std::uint8_t>(value & 0x0F);
}

void ExpandCodes(const std::uint8_t* codes, std::size_t n, bool fourBit, CRowWriter& out) {
    std::size_t i = 0;
    while (i + 1 < n && !out.Done()) {
        const std::uint8_t count = codes[i];
        const std::uint8_t value = codes[i + 1];
        i += 2;
        if (count > 0) {
            for (int k = 0; k < count; ++k) {
                out.Put(RunIndex(value, k, fourBit));
            }
            continue;
        }
        if (value == kEndOfLine) {
            out.NextLine();
        } else if (value == kEndOfBitmap) {
            return;
        } else if (value == kDelta) {
            if (i + 1 >= n) {
                return;
            }
            out.Move(codes[i], codes[i + 1]);
            i += 2;
        } else {
            // Absolute mode: value literal pixels, their bytes padded to an
            // even count.
            const std::size_t bytes = fourBit ? (value + 1u) / 2u : value;
            if (i + bytes > n) {
                return;
            }
            for (int k = 0; k < value; ++k) {
                const std::uint8_t byte = codes[i + (fourBit ? k / 2 : k)];
                out.Put(RunIndex(byte, k, fourBit));
            }
            i += bytes + (bytes % 2);
        }
    }
}

}  // namespace

std::vector<std::uint8_t> ExpandRunLengthDib(const std::uint8_t* block, std::size_t size,
                                             const DibLayout& layout) {
    if (block == nullptr || !layout.IsRunLength() || layout.IsCoreForm() ||
        layout.pixelOffset > size) {
        return {};
    }
    const std::size_t rowsBytes =
        static_cast<std::size_t>(layout.stride) * static_cast<std::size_t>(layout.height);
    if (layout.stride <= 0 ||
        static_cast<std::uint64_t>(layout.stride) * static_cast<std::uint64_t>(layout.height) >
            kRleMaxExpandedBytes) {
        return {};
    }
    std::vector<std::uint8_t> plain;
    try {
        plain.assign(layout.pixelOffset + rowsBytes, 0);
    } catch (const std::bad_alloc&) {
        return {};
    }
    std::copy(block, block + layout.pixelOffset, plain.begin());
    WriteInt32LE(plain.data() + kInfoCompression, 0);
    WriteInt32LE(plain.data() + kInfoSizeImage, static_cast<std::uint32_t>(rowsBytes));

    const std::size_t available = size - layout.pixelOffset;
    const std::size_t codeBytes =
        layout.pixelBytes != 0 ? std::min(layout.pixelBytes, available) : available;
    CRowWriter writer(plain.data() + layout.pixelOffset, layout);
    ExpandCodes(block + layout.pixelOffset, codeBytes, layout.bitsPerPixel == 4, writer);
    return plain;
}
