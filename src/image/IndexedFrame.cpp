#include "image/IndexedFrame.h"

#include <algorithm>
#include <iterator>
#include <new>
#include <unordered_map>
#include <utility>

#include "image/CDibImage.h"

namespace {

constexpr std::uint32_t kRgbMask = 0x00FFFFFF;

using ColourCounts = std::unordered_map<std::uint32_t, std::size_t>;
using ColourEntries = std::unordered_map<std::uint32_t, std::uint8_t>;

int SquaredDistance(std::uint32_t a, std::uint32_t b) {
    const int dr = static_cast<int>((a >> 16) & 0xFF) - static_cast<int>((b >> 16) & 0xFF);
    const int dg = static_cast<int>((a >> 8) & 0xFF) - static_cast<int>((b >> 8) & 0xFF);
    const int db = static_cast<int>(a & 0xFF) - static_cast<int>(b & 0xFF);
    return dr * dr + dg * dg + db * db;
}

// The entry of colour: its own when it has one, else the nearest.
class CColourTable {
public:
    explicit CColourTable(std::vector<std::uint32_t> colours) : m_colours(std::move(colours)) {
        for (std::size_t i = 0; i < m_colours.size(); ++i) {
            m_entries.emplace(m_colours[i], static_cast<std::uint8_t>(i));
        }
    }
    std::uint8_t EntryOf(std::uint32_t colour) {
        if (const auto found = m_entries.find(colour); found != m_entries.end()) {
            return found->second;
        }
        std::size_t best = 0;
        int bestDistance = SquaredDistance(colour, m_colours[0]);
        for (std::size_t i = 1; i < m_colours.size() && bestDistance > 0; ++i) {
            const int distance = SquaredDistance(colour, m_colours[i]);
            if (distance < bestDistance) {
                best = i;
                bestDistance = distance;
            }
        }
        const auto entry = static_cast<std::uint8_t>(best);
        m_entries.emplace(colour, entry);
        return entry;
    }
    std::vector<std::uint32_t>& Colours() { return m_colours; }

private:
    std::vector<std::uint32_t> m_colours;
    ColourEntries m_entries;
};

bool Contains(const std::vector<std::uint32_t>& colours, std::uint32_t colour) {
    return std::find(colours.begin(), colours.end(), colour) != colours.end();
}

// The colours of counts, the most frequent first (ties by colour, so the
// choice does not depend on the hash order).
std::vector<std::uint32_t> ByFrequency(const ColourCounts& counts) {
    std::vector<std::pair<std::uint32_t, std::size_t>> ranked(counts.begin(), counts.end());
    std::sort(ranked.begin(), ranked.end(), [](const auto& a, const auto& b) {
        return a.second != b.second ? a.second > b.second : a.first < b.first;
    });
    std::vector<std::uint32_t> colours;
    colours.reserve(ranked.size());
    for (const auto& [colour, count] : ranked) {
        colours.push_back(colour);
    }
    return colours;
}

// The overlay colours kept exactly (see the header): all of them when they
// fit, else those the table cannot show first, then the most frequent.
std::vector<std::uint32_t> ReservedColours(const ColourCounts& overlay, const FrameBaseView& base) {
    std::vector<std::uint32_t> reserved = ByFrequency(overlay);
    if (reserved.size() <= static_cast<std::size_t>(kMaxReservedColours)) {
        return reserved;
    }
    std::stable_partition(reserved.begin(), reserved.end(), [&base](std::uint32_t colour) {
        return std::find(base.colours.begin(), base.colours.end(), colour) == base.colours.end();
    });
    reserved.resize(kMaxReservedColours);
    return reserved;
}

// count colours of the list, evenly spread from its first to its last.
std::vector<std::uint32_t> EvenlySpread(const std::vector<std::uint32_t>& colours,
                                        std::size_t count) {
    if (count >= colours.size()) {
        return colours;
    }
    std::vector<std::uint32_t> chosen;
    if (count == 1) {
        chosen.push_back(colours.front());
    } else if (count > 1) {
        for (std::size_t k = 0; k < count; ++k) {
            chosen.push_back(colours[k * (colours.size() - 1) / (count - 1)]);
        }
    }
    return chosen;
}

void WriteIndices(const RgbFrameView& picture, IndexedFrame& out, auto&& entryOfPixel) {
    for (int y = 0; y < picture.height; ++y) {
        const std::uint32_t* row = picture.top + y * picture.stride;
        std::uint8_t* target = out.indices.data() + static_cast<std::size_t>(y) * picture.width;
        for (int x = 0; x < picture.width; ++x) {
            target[x] = entryOfPixel(x, y, row[x] & kRgbMask);
        }
    }
}

// Without an image under the picture: the most frequent colours.
void IndexPlainPicture(const RgbFrameView& picture, IndexedFrame& out) {
    ColourCounts counts;
    for (int y = 0; y < picture.height; ++y) {
        const std::uint32_t* row = picture.top + y * picture.stride;
        for (int x = 0; x < picture.width; ++x) {
            ++counts[row[x] & kRgbMask];
        }
    }
    std::vector<std::uint32_t> colours = ByFrequency(counts);
    colours.resize(std::min<std::size_t>(colours.size(), kGifColours));
    CColourTable table(std::move(colours));
    WriteIndices(picture, out,
                 [&table](int, int, std::uint32_t colour) { return table.EntryOf(colour); });
    out.colours = std::move(table.Colours());
}

// Over an 8-bit image: overlays exact, the image's colours in the rest.
void IndexOverImage(const RgbFrameView& picture, const FrameBaseView& base, IndexedFrame& out) {
    std::array<bool, kGifColours> used{};
    ColourCounts overlay;
    for (int y = 0; y < picture.height; ++y) {
        const std::uint32_t* row = picture.top + y * picture.stride;
        const std::uint8_t* index = base.top + y * base.stride;
        for (int x = 0; x < picture.width; ++x) {
            const std::uint32_t colour = row[x] & kRgbMask;
            if (colour == base.colours[index[x]]) {
                used[index[x]] = true;
            } else {
                ++overlay[colour];
            }
        }
    }
    std::vector<std::uint32_t> imageColours;
    for (int i = 0; i < kGifColours; ++i) {
        const std::uint32_t colour = base.colours[static_cast<std::size_t>(i)];
        if (used[static_cast<std::size_t>(i)] && !Contains(imageColours, colour)) {
            imageColours.push_back(colour);
        }
    }
    const auto notOverlay = [&overlay](std::uint32_t c) { return overlay.count(c) == 0; };
    const auto imageOnly = std::count_if(imageColours.begin(), imageColours.end(), notOverlay);
    std::vector<std::uint32_t> colours;
    if (static_cast<std::size_t>(imageOnly) + overlay.size() <=
        static_cast<std::size_t>(kGifColours)) {
        colours = ByFrequency(overlay);
        std::copy_if(imageColours.begin(), imageColours.end(), std::back_inserter(colours),
                     notOverlay);
    } else {
        colours = ReservedColours(overlay, base);
        std::erase_if(imageColours, [&colours](std::uint32_t c) { return Contains(colours, c); });
        const std::vector<std::uint32_t> spread =
            EvenlySpread(imageColours, kGifColours - colours.size());
        colours.insert(colours.end(), spread.begin(), spread.end());
    }
    if (colours.empty()) {
        colours.push_back(0);
    }
    CColourTable table(std::move(colours));
    std::array<std::uint8_t, kGifColours> entryOfIndex{};
    for (int i = 0; i < kGifColours; ++i) {
        if (used[static_cast<std::size_t>(i)]) {
            entryOfIndex[static_cast<std::size_t>(i)] =
                table.EntryOf(base.colours[static_cast<std::size_t>(i)]);
        }
    }
    WriteIndices(picture, out, [&](int x, int y, std::uint32_t colour) {
        const std::uint8_t index = base.top[y * base.stride + x];
        return colour == base.colours[index] ? entryOfIndex[index] : table.EntryOf(colour);
    });
    out.colours = std::move(table.Colours());
}

}  // namespace

FrameBaseView FrameBaseOf(const CDibImage& image) {
    FrameBaseView base;
    if (image.IsEmpty() || !image.IsEightBit() || image.Compression() != 0) {
        return base;
    }
    const std::vector<std::uint32_t>& palette = image.Palette();
    for (std::size_t i = 0; i < palette.size() && i < base.colours.size(); ++i) {
        // The table holds 0x00BBGGRR.
        const std::uint32_t bgr = palette[i];
        base.colours[i] = (bgr & 0xFF) << 16 | (bgr & 0xFF00) | (bgr >> 16 & 0xFF);
    }
    const std::uint8_t* bits = image.LockBits();
    if (bits == nullptr) {
        return base;
    }
    // Rows are stored bottom-up.
    base.top = bits + static_cast<std::ptrdiff_t>(image.Height() - 1) * image.Stride();
    base.stride = -static_cast<std::ptrdiff_t>(image.Stride());
    base.width = image.Width();
    base.height = image.Height();
    return base;
}

bool IndexFrame(const RgbFrameView& picture, const FrameBaseView* base, IndexedFrame& out) {
    out.width = picture.width;
    out.height = picture.height;
    out.colours.clear();
    try {
        out.indices.resize(static_cast<std::size_t>(picture.width) * picture.height);
    } catch (const std::bad_alloc&) {
        return false;
    }
    if (base != nullptr && base->top != nullptr && base->width == picture.width &&
        base->height == picture.height) {
        IndexOverImage(picture, *base, out);
    } else {
        IndexPlainPicture(picture, out);
    }
    return true;
}
