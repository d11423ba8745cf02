// The colour table and the display palette built from it: with no
// palette-based screens left, the palette is the colour table itself.

#include <algorithm>

#include "image/CDibImage.h"

void CDibImage::BuildPalette() {
    m_palette.clear();
    if (IsEmpty()) {
        return;
    }
    const std::uint8_t* entry = m_block.data() + m_layout.headerSize;
    m_palette.reserve(static_cast<std::size_t>(m_layout.colorEntries));
    for (int i = 0; i < m_layout.colorEntries; ++i, entry += m_layout.entrySize) {
        m_palette.push_back(static_cast<std::uint32_t>(entry[2]) |
                            (static_cast<std::uint32_t>(entry[1]) << 8) |
                            (static_cast<std::uint32_t>(entry[0]) << 16));
    }
}

bool CDibImage::SetColorTable(const std::array<RgbQuad, 256>& colours) {
    // Only the entries the table holds are written: a shorter table ends
    // where the pixels begin.
    if (IsEmpty() || m_layout.colorEntries == 0) {
        return false;
    }
    const int count = std::min<int>(m_layout.colorEntries, static_cast<int>(colours.size()));
    std::uint8_t* entry = m_block.data() + m_layout.headerSize;
    for (int i = 0; i < count; ++i, entry += m_layout.entrySize) {
        entry[0] = colours[static_cast<std::size_t>(i)].blue;
        entry[1] = colours[static_cast<std::size_t>(i)].green;
        entry[2] = colours[static_cast<std::size_t>(i)].red;
        if (m_layout.entrySize == 4) {
            entry[3] = 0;
        }
    }
    BuildPalette();
    return true;
}
