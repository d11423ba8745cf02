#include "geo/MapLineFile.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <new>

namespace {

// Far above any map file; guards against sizes reported for non-files.
constexpr long kMaxMapFileBytes = 256L * 1024 * 1024;

std::int16_t ReadInt16(const std::uint8_t* p) {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(p[0] | (p[1] << 8)));
}

}  // namespace

bool ReadWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes) {
    bytes.clear();
    std::FILE* file = std::fopen(path.c_str(), "rb");
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

std::shared_ptr<const MapLines> ParseMapLines(const std::uint8_t* data, std::size_t size,
                                              MapCountRule rule) {
    auto lines = std::make_shared<MapLines>();
    // The values at most fill the file, two per four bytes.
    lines->values.reserve(size / 2);
    std::size_t pos = 0;
    bool onGlobe = true;
    bool cut = false;
    while (!cut && size - pos >= kMapRecordHeaderSize) {
        const int points = MapRecordPoints(ReadInt16(data + pos), rule);
        pos += kMapRecordHeaderSize;
        MapLines::Record record;
        record.first = lines->values.size() / 2;
        for (int i = 0; i < points; ++i) {
            if (size - pos < kMapPointSize) {
                cut = true;  // the record is cut short: the file ends here
                break;
            }
            const std::int16_t lat = ReadInt16(data + pos);
            const std::int16_t lon = ReadInt16(data + pos + 2);
            pos += kMapPointSize;
            onGlobe = onGlobe && std::fabs(MapLatitude(lat)) <= 90.0 &&
                      std::fabs(MapLongitude(lon)) <= 360.0f;
            if (record.count == 0) {
                record.minLat = record.maxLat = lat;
                record.minLon = record.maxLon = lon;
            } else {
                record.minLat = std::min(record.minLat, lat);
                record.maxLat = std::max(record.maxLat, lat);
                record.minLon = std::min(record.minLon, lon);
                record.maxLon = std::max(record.maxLon, lon);
            }
            lines->values.push_back(lat);
            lines->values.push_back(lon);
            ++record.count;
        }
        lines->records.push_back(record);
    }
    lines->intact = !cut && onGlobe && pos == size;
    return lines;
}

bool WalkMapLinesInBox(const MapLines& lines, double south, double north, double west,
                       double east, CMapLineVisitor& visitor) {
    const std::int16_t* values = lines.values.data();
    for (const MapLines::Record& record : lines.records) {
        visitor.BeginRecord();
        // The delivered values grow with the raw ones, so the extremes decide
        // whether any point can pass.
        if (record.count == 0 || !(MapLatitude(record.maxLat) > south) ||
            !(MapLatitude(record.minLat) < north) || !(MapLongitude(record.maxLon) > west) ||
            !(MapLongitude(record.minLon) < east)) {
            continue;
        }
        const std::int16_t* p = values + 2 * record.first;
        for (std::size_t i = 0; i < record.count; ++i, p += 2) {
            visitor.Point(MapLatitude(p[0]), MapLongitude(p[1]));
        }
    }
    return lines.intact;
}
