#include "image/PointOperation.h"

#include <cstddef>
#include <cstring>
#include <new>
#include <vector>

#include "image/CDibImage.h"

namespace {

template <typename Formula>
ChannelMap MakeMap(Formula formula) {
    ChannelMap map{};
    for (int c = 0; c < 256; ++c) {
        map[static_cast<std::size_t>(c)] = static_cast<std::uint8_t>(formula(c));
    }
    return map;
}

// Products are taken in 64 bits so that a large percentage cannot overflow;
// the result saturates at the clamp limits either way.
int ClampWide(std::int64_t value) {
    if (value > 254) {
        return 255;
    }
    return value <= 0 ? 0 : static_cast<int>(value);
}

std::uint32_t MapPixel(std::uint32_t value, const ChannelMap& map) {
    const std::uint32_t red = map[value & 0xffu];
    const std::uint32_t green = map[(value >> 8) & 0xffu];
    const std::uint32_t blue = map[(value >> 16) & 0xffu];
    return red | (green << 8) | (blue << 16);
}

bool MapPerPixel(CDibImage& image, const ChannelMap& map) {
    std::uint8_t* bits = image.LockBits();
    const CImageRegion& region = image.Region();
    const DibRect r = region.Bounds();
    for (int y = r.top; y < r.bottom; ++y) {
        for (int x = r.left; x < r.right; ++x) {
            if (!region.Contains(x, y)) {
                continue;
            }
            std::uint32_t value = 0;
            if (!image.GetPixel(bits, x, y, value) ||
                !image.SetPixel(bits, x, y, MapPixel(value, map))) {
                return false;
            }
        }
    }
    return true;
}

// to[i] = map[from[i]] for count bytes. Eight bytes are read, looked up and
// written at a time: the source and the new block sit at the same offsets
// within their pages, and byte-sized stores between the loads would make
// the processor wait on each one (it cannot tell them apart by address).
// Large walks look up two bytes at once in a table of every pair.
class CByteMapper {
public:
    CByteMapper(const ChannelMap& map, bool manyBytes) : m_map(map) {
        if (!manyBytes) {
            return;
        }
        try {
            m_pairs.resize(std::size_t{1} << 16);
        } catch (const std::bad_alloc&) {
            return;  // single lookups give the same bytes
        }
        for (std::size_t p = 0; p < m_pairs.size(); ++p) {
            m_pairs[p] = static_cast<std::uint16_t>(map[p & 0xffu] | (map[p >> 8] << 8));
        }
    }

    void Map(const std::uint8_t* from, std::uint8_t* to, std::ptrdiff_t count) const {
        std::ptrdiff_t i = 0;
        // The lookups go by the numeric value's lanes, which stand for the
        // same bytes on the way in and out on any byte order.
        if (!m_pairs.empty()) {
            const std::uint16_t* pairs = m_pairs.data();
            for (; i + 8 <= count; i += 8) {
                std::uint64_t in = 0;
                std::memcpy(&in, from + i, sizeof in);
                std::uint64_t out = 0;
                for (int k = 0; k < 64; k += 16) {
                    out |= std::uint64_t{pairs[(in >> k) & 0xffffu]} << k;
                }
                std::memcpy(to + i, &out, sizeof out);
            }
        }
        for (; i + 8 <= count; i += 8) {
            std::uint64_t in = 0;
            std::memcpy(&in, from + i, sizeof in);
            std::uint64_t out = 0;
            for (int k = 0; k < 64; k += 8) {
                out |= std::uint64_t{m_map[(in >> k) & 0xffu]} << k;
            }
            std::memcpy(to + i, &out, sizeof out);
        }
        for (; i < count; ++i) {
            to[i] = m_map[from[i]];
        }
    }

private:
    const ChannelMap& m_map;
    std::vector<std::uint16_t> m_pairs;
};

// Below this many bytes building the pair table costs more than it saves.
constexpr std::int64_t kPairTableBytes = 256 * 1024;

// Every byte of an 8-bit index or a 24-bit colour is one channel. A shared
// block is mapped into a new one, so the old pixels are read once and not
// copied first.
bool MapRows(CDibImage& image, const ChannelMap& map) {
    const DibRect r = image.Region().Bounds();
    const RowWalkBits bits = BitsToMap(image, r);
    if (bits.to == nullptr) {
        return false;
    }
    const int bytesPerPixel = image.BitsPerPixel() / 8;
    const std::ptrdiff_t count = static_cast<std::ptrdiff_t>(r.Width()) * bytesPerPixel;
    const CByteMapper mapper(map, std::int64_t{count} * r.Height() >= kPairTableBytes);
    for (int y = r.top; y < r.bottom; ++y) {
        mapper.Map(PictureRow(image, bits.from, y) + r.left * bytesPerPixel,
                   PictureRow(image, bits.to, y) + r.left * bytesPerPixel, count);
    }
    return true;
}

}  // namespace

ChannelMap BrightnessMap(int percent) {
    return MakeMap([percent](int c) { return ClampWide(std::int64_t{c} * percent / 100); });
}

ChannelMap ContrastMap(int percent) {
    return MakeMap(
        [percent](int c) { return ClampWide(std::int64_t{c - 128} * percent / 100 + 128); });
}

ChannelMap NegateMap() {
    return MakeMap([](int c) { return 255 - c; });
}

bool MapChannels(CDibImage& image, int stringId, const ChannelMap& map, WalkPath path) {
    if (image.IsEmpty() || !image.PushHistory(stringId)) {
        return false;
    }
    if (path == WalkPath::kFastest && CanWalkRows(image)) {
        if (MapRows(image, map)) {
            return true;
        }
        image.RollBack();
        return false;
    }
    if (!MapPerPixel(image, map)) {
        image.RollBack();
        return false;
    }
    return true;
}
