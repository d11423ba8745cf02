#include "image/PaletteFile.h"

#include <charconv>
#include <sstream>

#include "platform/CDataFileCache.h"
#include "platform/RegularFile.h"

namespace {

bool IsSeparator(int c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// Reads the file word by word; any word longer than the format allows ends
// the reading, so nothing is ever stored past the limit.
class CWordReader {
public:
    explicit CWordReader(std::istream& in) : m_in(in) {}

    bool Next(std::string& word) {
        word.clear();
        int c = m_in.get();
        while (c != EOF && IsSeparator(c)) {
            c = m_in.get();
        }
        while (c != EOF && !IsSeparator(c)) {
            if (word.size() == kPaletteMaxWordLength) {
                return false;
            }
            word.push_back(static_cast<char>(c));
            c = m_in.get();
        }
        return !word.empty();
    }

    bool NextInt(int& value) {
        std::string word;
        if (!Next(word)) {
            return false;
        }
        const char* first = word.data();
        const char* last = first + word.size();
        if (*first == '+') {
            ++first;
        }
        auto [end, ec] = std::from_chars(first, last, value);
        return ec == std::errc() && end == last;
    }

    bool Skip(int words) {
        std::string word;
        for (int i = 0; i < words; ++i) {
            if (!Next(word)) {
                return false;
            }
        }
        return true;
    }

private:
    std::istream& m_in;
};

bool ReadBlock(CWordReader& reader, std::vector<PaletteControlPoint>& points) {
    int count = 0;
    if (!reader.NextInt(count) || count < 0 || count > kPaletteMaxPoints) {
        return false;
    }
    points.assign(static_cast<std::size_t>(count), {});
    for (PaletteControlPoint& point : points) {
        if (!reader.NextInt(point.index) || !reader.NextInt(point.value)) {
            return false;
        }
        if (point.index < 0 || point.index > kPaletteMaxIndex || point.value < 0 ||
            point.value > kPaletteMaxValue) {
            return false;
        }
    }
    return true;
}

std::uint8_t& ChannelOf(RgbQuad& entry, PaletteChannel channel) {
    switch (channel) {
        case PaletteChannel::kRed:
            return entry.red;
        case PaletteChannel::kGreen:
            return entry.green;
        case PaletteChannel::kBlue:
            break;
    }
    return entry.blue;
}

// Calls store(entry, level) for every entry that a segment covers.
template <typename Store>
void ForEachSegmentEntry(const std::vector<PaletteControlPoint>& points, Store store) {
    for (std::size_t s = 0; s + 1 < points.size(); ++s) {
        const int b = points[s].index;
        const int c = points[s + 1].index;
        const int v0 = points[s].value;
        const int v1 = points[s + 1].value;
        for (int j = b; j < c; ++j) {
            const int level = v0 + (v1 - v0) * (j - b) / (c - b);
            store(j, static_cast<std::uint8_t>(level & 0xff));
        }
    }
}

}  // namespace

PaletteTable GreyRamp() {
    PaletteTable table{};
    for (int i = 0; i < 256; ++i) {
        const auto v = static_cast<std::uint8_t>(i);
        table[static_cast<std::size_t>(i)] = RgbQuad{v, v, v, 0};
    }
    return table;
}

void FillChannel(const std::vector<PaletteControlPoint>& points, PaletteChannel channel,
                 PaletteTable& table) {
    ForEachSegmentEntry(points, [&](int j, std::uint8_t level) {
        ChannelOf(table[static_cast<std::size_t>(j)], channel) = level;
    });
}

void FillGrey(const std::vector<PaletteControlPoint>& points, PaletteTable& table) {
    ForEachSegmentEntry(points, [&](int j, std::uint8_t level) {
        RgbQuad& entry = table[static_cast<std::size_t>(j)];
        entry.red = entry.green = entry.blue = level;
    });
}

std::optional<PaletteTable> ParsePalette(std::istream& in) {
    CWordReader reader(in);
    std::string keyword;
    if (!reader.Next(keyword)) {
        return std::nullopt;
    }
    const bool grey = keyword.find("BK") != std::string::npos;
    if (!grey && keyword.find("COLOR") == std::string::npos) {
        return std::nullopt;
    }
    int ignored = 0;
    if (!reader.NextInt(ignored)) {
        return std::nullopt;
    }
    PaletteTable table = GreyRamp();
    std::vector<PaletteControlPoint> points;
    if (grey) {
        if (!reader.Skip(1) || !ReadBlock(reader, points)) {
            return std::nullopt;
        }
        FillGrey(points, table);
        return table;
    }
    // All three blocks are read before any is applied, so that a file cut
    // short inside the blue block changes nothing.
    std::vector<PaletteControlPoint> blocks[3];
    for (auto& block : blocks) {
        if (!reader.Skip(2) || !ReadBlock(reader, block)) {
            return std::nullopt;
        }
    }
    FillChannel(blocks[0], PaletteChannel::kRed, table);
    FillChannel(blocks[1], PaletteChannel::kGreen, table);
    FillChannel(blocks[2], PaletteChannel::kBlue, table);
    return table;
}

std::optional<PaletteTable> ParsePaletteBytes(const std::uint8_t* data, std::size_t size) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    return ParsePalette(in);
}

std::optional<PaletteTable> ReadPaletteFile(const std::string& path) {
    std::string text;
    if (ReadRegularFile(path, kPaletteMaxFileBytes, text) != FileReadResult::kRead) {
        return std::nullopt;
    }
    return ParsePaletteBytes(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
}

std::shared_ptr<const PaletteTable> CachedPaletteFile(CDataFileCache& cache,
                                                      const std::string& path) {
    return cache.Get<PaletteTable>(
        path, "palette", [](const std::string& file) -> std::shared_ptr<const PaletteTable> {
            std::optional<PaletteTable> read = ReadPaletteFile(file);
            return read ? std::make_shared<const PaletteTable>(*read) : nullptr;
        });
}
