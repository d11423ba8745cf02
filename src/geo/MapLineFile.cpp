#include "geo/MapLineFile.h"
#include "platform/RegularFile.h"

#include <cmath>

#include <cstdio>

namespace {

// Far above any map file; guards against sizes reported for non-files.
constexpr long kMaxMapFileBytes = 256L * 1024 * 1024;

std::int16_t ReadInt16(const std::uint8_t* p) {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(p[0] | (p[1] << 8)));
}

}  // namespace

bool ReadWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes) {
    bytes.clear();
    std::FILE* file = OpenRegularFileForReading(path);
    if (!file) {
        return false;
    }
    bool ok = std::fseek(file, 0, SEEK_END) == 0;
    const long size = ok ? std::ftell(file) : -1;
    ok = ok && size >= 0 && size <= kMaxMapFileBytes && std::fseek(file, 0, SEEK_SET) == 0;
    if (ok) {
        bytes.resize(static_cast<std::size_t>(size));
        ok = bytes.empty() || std::fread(bytes.data(), 1, bytes.size(), file) == bytes.size();
    }
    std::fclose(file);
    if (!ok) {
        bytes.clear();
    }
    return ok;
}

bool WalkMapLines(const std::uint8_t* data, std::size_t size, MapCountRule rule,
                  CMapLineVisitor& visitor) {
    std::size_t pos = 0;
    bool onGlobe = true;
    while (size - pos >= kMapRecordHeaderSize) {
        const int points = MapRecordPoints(ReadInt16(data + pos), rule);
        pos += kMapRecordHeaderSize;
        visitor.BeginRecord();
        for (int i = 0; i < points; ++i) {
            if (size - pos < kMapPointSize) {
                return false;  // the record is cut short: the file ends here
            }
            const double lat = ReadInt16(data + pos) * 0.01;
            const float lon = static_cast<float>(ReadInt16(data + pos + 2) * 0.01);
            pos += kMapPointSize;
            onGlobe = onGlobe && std::fabs(lat) <= 90.0 && std::fabs(lon) <= 360.0f;
            visitor.Point(lat, lon);
        }
    }
    return onGlobe && pos == size;
}
