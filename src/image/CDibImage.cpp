// CDibImage: the one packed image block, its header layout, copies, the
// colour table and the display palette.

#include <algorithm>
#include <new>
#include <stdexcept>
#include <utility>

#include "image/CDibImage.h"
#include "image/PaletteFile.h"

namespace {

bool IsSupportedDepth(int bits) {
    return bits == 1 || bits == 4 || bits == 8 || bits == 24 || bits == 32;
}

}  // namespace

CDibImage::CDibImage() = default;

CDibImage::~CDibImage() = default;

CDibImage::CDibImage(const CDibImage& other) {
    *this = other;
}

CDibImage& CDibImage::operator=(const CDibImage& other) {
    if (this == &other) {
        return *this;
    }
    // Reuse this image's own storage when nothing else refers to it, so that
    // a copy over an old state costs one pass over the bytes and no
    // allocation.
    std::shared_ptr<std::vector<std::uint8_t>> storage;
    if (m_pBlock && m_pBlock.use_count() == 1) {
        storage = std::move(m_pBlock);
    }
    ReleaseBlock();
    if (other.IsEmpty()) {
        return *this;
    }
    try {
        if (!storage) {
            storage = std::make_shared<std::vector<std::uint8_t>>();
        }
        storage->assign(other.m_pBlock->begin(), other.m_pBlock->end());
    } catch (const std::bad_alloc&) {
        return *this;
    }
    if (AttachShared(std::move(storage)) && other.m_pRegion) {
        m_pRegion = other.m_pRegion->Clone();
    }
    return *this;
}

CDibImage::CDibImage(CDibImage&& other) noexcept {
    *this = std::move(other);
}

CDibImage& CDibImage::operator=(CDibImage&& other) noexcept {
    if (this == &other) {
        return *this;
    }
    m_pBlock = std::move(other.m_pBlock);
    m_palette = std::move(other.m_palette);
    m_layout = other.m_layout;
    DeriveGeometry();
    m_pRegion = std::move(other.m_pRegion);
    other.ReleaseBlock();
    return *this;
}

void CDibImage::ShareFrom(const CDibImage& other) {
    if (this == &other) {
        return;
    }
    std::shared_ptr<std::vector<std::uint8_t>> block = other.m_pBlock;
    ReleaseBlock();
    if (!block || block->empty()) {
        return;
    }
    m_pBlock = std::move(block);
    m_layout = other.m_layout;
    DeriveGeometry();
    m_palette = other.m_palette;
    m_pRegion = other.m_pRegion ? other.m_pRegion->Clone()
                                : std::make_unique<CImageRegion>(0, 0, m_nWidth, m_nHeight);
}

const std::vector<std::uint8_t>& CDibImage::Block() const {
    static const std::vector<std::uint8_t> kNoBlock;
    return m_pBlock ? *m_pBlock : kNoBlock;
}

void CDibImage::Release() {
    ReleaseBlock();
    m_history.clear();
    m_forward.clear();
    m_pFirstState.reset();
}

void CDibImage::ReleaseBlock() {
    m_pRegion.reset();
    m_palette.clear();
    m_pBlock.reset();
    m_layout = DibLayout{};
    DeriveGeometry();
}

bool CDibImage::Attach(std::vector<std::uint8_t> block) {
    DibLayout layout;
    if (!DescribeDib(block.data(), block.size(), layout)) {
        ReleaseBlock();
        return false;
    }
    std::shared_ptr<std::vector<std::uint8_t>> shared;
    try {
        shared = std::make_shared<std::vector<std::uint8_t>>(std::move(block));
    } catch (const std::bad_alloc&) {
        ReleaseBlock();
        return false;
    }
    return AttachShared(std::move(shared));
}

bool CDibImage::AttachShared(std::shared_ptr<std::vector<std::uint8_t>> block) {
    ReleaseBlock();
    DibLayout layout;
    if (!block || !DescribeDib(block->data(), block->size(), layout)) {
        return false;
    }
    m_pBlock = std::move(block);
    m_layout = layout;
    DeriveGeometry();
    m_pRegion = std::make_unique<CImageRegion>(0, 0, m_nWidth, m_nHeight);
    BuildPalette();
    return true;
}

void CDibImage::AdoptFrom(CDibImage&& source) {
    std::unique_ptr<CImageRegion> region = std::move(source.m_pRegion);
    std::shared_ptr<std::vector<std::uint8_t>> block = std::move(source.m_pBlock);
    source.ReleaseBlock();
    AttachShared(std::move(block));
    if (region && !IsEmpty()) {
        m_pRegion = std::move(region);
    }
}

bool CDibImage::CreateBlank(int width, int height, int bitsPerPixel) {
    ReleaseBlock();
    if (width <= 0 || height <= 0 || !IsSupportedDepth(bitsPerPixel)) {
        return false;
    }
    const int entries = DefaultColorEntries(bitsPerPixel);
    const std::int64_t stride = DibStride(bitsPerPixel, width);
    const std::uint64_t size =
        kDibInfoHeaderBytes + static_cast<std::uint64_t>(entries) * 4 +
        static_cast<std::uint64_t>(stride) * static_cast<std::uint64_t>(height);
    std::vector<std::uint8_t> block;
    try {
        block.resize(static_cast<std::size_t>(size));
    } catch (const std::bad_alloc&) {
        return false;
    } catch (const std::length_error&) {
        return false;
    }
    WriteInfoHeader(block.data(), width, height, bitsPerPixel, entries);
    return Attach(std::move(block));
}

void CDibImage::DeriveGeometry() {
    m_nWidth = m_layout.width;
    m_nHeight = m_layout.height;
    m_nStride = m_layout.stride;
    m_nBitsPerPixel = m_layout.bitsPerPixel;
}

int CDibImage::HeaderSize() const {
    return m_layout.headerSize;
}

int CDibImage::Compression() const {
    return m_layout.compression;
}

int CDibImage::ColorTableEntries() const {
    return m_layout.colorEntries;
}

bool CDibImage::IsWritable() const {
    return !IsEmpty() && m_nBitsPerPixel != 32 && !m_layout.IsRunLength();
}

bool CDibImage::OwnBlock() {
    if (!m_pBlock || m_pBlock.use_count() == 1) {
        return true;
    }
    try {
        m_pBlock = std::make_shared<std::vector<std::uint8_t>>(*m_pBlock);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

std::uint8_t* CDibImage::LockBits() {
    if (IsEmpty() || !OwnBlock()) {
        return nullptr;
    }
    return m_pBlock->data() + m_layout.pixelOffset;
}

const std::uint8_t* CDibImage::LockBits() const {
    return IsEmpty() ? nullptr : m_pBlock->data() + m_layout.pixelOffset;
}

std::uint8_t* CDibImage::LockBitsToRewrite() {
    if (IsEmpty() || m_pBlock.use_count() == 1 || m_layout.IsRunLength()) {
        return LockBits();
    }
    // Header and colour table are kept; so is each row's padding, which the
    // caller does not write.
    const std::vector<std::uint8_t>& old = *m_pBlock;
    std::shared_ptr<std::vector<std::uint8_t>> fresh;
    try {
        fresh = std::make_shared<std::vector<std::uint8_t>>();
        fresh->reserve(old.size());
        fresh->assign(old.begin(), old.begin() + static_cast<std::ptrdiff_t>(m_layout.pixelOffset));
        fresh->resize(old.size());
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    const std::size_t rowBytes =
        (static_cast<std::size_t>(m_nWidth) * static_cast<std::size_t>(m_nBitsPerPixel) + 7) / 8;
    const std::size_t stride = static_cast<std::size_t>(m_nStride);
    if (stride > rowBytes) {
        for (int row = 0; row < m_nHeight; ++row) {
            const std::size_t at =
                m_layout.pixelOffset + static_cast<std::size_t>(row) * stride + rowBytes;
            std::copy(old.begin() + static_cast<std::ptrdiff_t>(at),
                      old.begin() + static_cast<std::ptrdiff_t>(at + stride - rowBytes),
                      fresh->begin() + static_cast<std::ptrdiff_t>(at));
        }
    }
    m_pBlock = std::move(fresh);
    return m_pBlock->data() + m_layout.pixelOffset;
}

void CDibImage::SetRegion(std::unique_ptr<CImageRegion> region) {
    if (region) {
        m_pRegion = std::move(region);
    }
}

bool CDibImage::ConvertTo24(CDibImage& target) const {
    if (IsEmpty() || !m_pRegion || &target == this) {
        return false;
    }
    const DibRect bounds = m_pRegion->Bounds();
    if (!target.CreateBlank(bounds.Width(), bounds.Height(), 24)) {
        return false;
    }
    const std::uint8_t* source = LockBits();
    std::uint8_t* dest = target.LockBits();
    for (int y = bounds.top; y < bounds.bottom; ++y) {
        for (int x = bounds.left; x < bounds.right; ++x) {
            std::uint32_t value = 0;
            if (m_pRegion->Contains(x, y) && GetPixel(source, x, y, value)) {
                target.SetPixel(dest, x - bounds.left, y - bounds.top, value);
            }
        }
    }
    return true;
}

// The colour table and the display palette built from it: with no
// palette-based screens left, the palette is the colour table itself.
void CDibImage::BuildPalette() {
    m_palette.clear();
    if (IsEmpty()) {
        return;
    }
    const std::uint8_t* entry = m_pBlock->data() + m_layout.headerSize;
    m_palette.reserve(static_cast<std::size_t>(m_layout.colorEntries));
    for (int i = 0; i < m_layout.colorEntries; ++i, entry += m_layout.entrySize) {
        m_palette.push_back(static_cast<std::uint32_t>(entry[2]) |
                            (static_cast<std::uint32_t>(entry[1]) << 8) |
                            (static_cast<std::uint32_t>(entry[0]) << 16));
    }
}

bool CDibImage::TableHolds(const std::array<RgbQuad, 256>& colours, int count) const {
    const std::uint8_t* entry = m_pBlock->data() + m_layout.headerSize;
    for (int i = 0; i < count; ++i, entry += m_layout.entrySize) {
        const RgbQuad& c = colours[static_cast<std::size_t>(i)];
        if (entry[0] != c.blue || entry[1] != c.green || entry[2] != c.red ||
            (m_layout.entrySize == 4 && entry[3] != 0)) {
            return false;
        }
    }
    return true;
}

bool CDibImage::SetColorTable(const std::array<RgbQuad, 256>& colours) {
    // Only the entries the table holds are written: a shorter table ends
    // where the pixels begin.
    if (IsEmpty() || m_layout.colorEntries == 0) {
        return false;
    }
    const int count = std::min<int>(m_layout.colorEntries, static_cast<int>(colours.size()));
    // A table that already holds these colours is left alone, so that an
    // image sharing its block is not copied for nothing.
    if (TableHolds(colours, count)) {
        return true;
    }
    if (!OwnBlock()) {
        return false;
    }
    std::uint8_t* entry = m_pBlock->data() + m_layout.headerSize;
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

// CDibImage::ApplyPaletteFile: the view applies the chosen palette file at
// every composition; through a cache the file is parsed again only when it
// has changed.
bool CDibImage::ApplyPaletteFile(const std::string& path, int palettesOn) {
    return ApplyPaletteFile(path, palettesOn, nullptr);
}

bool CDibImage::ApplyPaletteFile(const std::string& path, int palettesOn, CDataFileCache* cache) {
    if (path.empty()) {
        return true;
    }
    // Only a 256-entry colour table can take a palette; a 24-bit image has
    // none to write into.
    if (IsEmpty() || ColorTableEntries() != 256) {
        return true;
    }
    if (palettesOn == 0) {
        SetColorTable(GreyRamp());
        return true;
    }
    if (cache == nullptr) {
        const std::optional<PaletteTable> table = ReadPaletteFile(path);
        if (!table) {
            return false;
        }
        SetColorTable(*table);
        return true;
    }
    const std::shared_ptr<const PaletteTable> table = CachedPaletteFile(*cache, path);
    if (!table) {
        return false;
    }
    SetColorTable(*table);
    return true;
}
