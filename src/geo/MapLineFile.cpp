#include "geo/MapLineFile.h"
#include "platform/RegularFile.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <new>

namespace {

std::int16_t ReadInt16(const std::uint8_t* p) {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(p[0] | (p[1] << 8)));
}

}  // namespace

bool ReadWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes) {
    bytes.clear();
    std::uint64_t size = 0;
    std::FILE* file = OpenRegularFileForReading(path, size);
    if (!file) {
        return false;
    }
    // Refused by its size before any of it is read or memory is taken for it.
    bool ok = size <= kMapFileMaxBytes;
    if (ok) {
        try {
            bytes.resize(static_cast<std::size_t>(size));
            ok = bytes.empty() || std::fread(bytes.data(), 1, bytes.size(), file) == bytes.size();
        } catch (const std::bad_alloc&) {
            ok = false;
        }
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

namespace {

// The extremes of a record's raw values, one pass over its points.
void MeasureRecord(const std::uint8_t* p, MapLines::Record& record) {
    std::int16_t minLat = ReadInt16(p);
    std::int16_t maxLat = minLat;
    std::int16_t minLon = ReadInt16(p + 2);
    std::int16_t maxLon = minLon;
    for (std::size_t i = 1; i < record.count; ++i) {
        const std::int16_t lat = ReadInt16(p + kMapPointSize * i);
        const std::int16_t lon = ReadInt16(p + kMapPointSize * i + 2);
        minLat = std::min(minLat, lat);
        maxLat = std::max(maxLat, lat);
        minLon = std::min(minLon, lon);
        maxLon = std::max(maxLon, lon);
    }
    record.minLat = minLat;
    record.maxLat = maxLat;
    record.minLon = minLon;
    record.maxLon = maxLon;
}

// The delivered values grow with the raw ones, so the extremes decide.
bool OnGlobe(const MapLines::Record& r) {
    return std::fabs(MapLatitude(r.minLat)) <= 90.0 && std::fabs(MapLatitude(r.maxLat)) <= 90.0 &&
           std::fabs(MapLongitude(r.minLon)) <= 360.0f &&
           std::fabs(MapLongitude(r.maxLon)) <= 360.0f;
}

// The records in the bytes, each header hopped over: the record list is
// made once at its final size.
std::size_t CountRecords(const std::uint8_t* data, std::size_t size, MapCountRule rule) {
    std::size_t records = 0;
    std::size_t pos = 0;
    while (size - pos >= kMapRecordHeaderSize) {
        ++records;
        const std::size_t points =
            static_cast<std::size_t>(MapRecordPoints(ReadInt16(data + pos), rule));
        pos += kMapRecordHeaderSize;
        if ((size - pos) / kMapPointSize < points) {
            break;  // cut short by the end of the file: the last record
        }
        pos += points * kMapPointSize;
    }
    return records;
}

}  // namespace

std::shared_ptr<const MapLines> ParseMapLines(std::vector<std::uint8_t> bytes, MapCountRule rule) {
    auto lines = std::make_shared<MapLines>();
    lines->bytes = std::move(bytes);
    const std::uint8_t* data = lines->bytes.data();
    const std::size_t size = lines->bytes.size();
    if (size > kMapFileMaxBytes) {
        lines->intact = false;
        return lines;
    }
    lines->records.reserve(CountRecords(data, size, rule));
    std::size_t pos = 0;
    bool onGlobe = true;
    bool cut = false;
    while (!cut && size - pos >= kMapRecordHeaderSize) {
        const std::size_t points =
            static_cast<std::size_t>(MapRecordPoints(ReadInt16(data + pos), rule));
        pos += kMapRecordHeaderSize;
        MapLines::Record record;
        record.offset = static_cast<std::uint32_t>(pos);
        // A record cut short by the end of the file keeps its complete points.
        const std::size_t fit = (size - pos) / kMapPointSize;
        record.count = static_cast<std::uint16_t>(std::min(points, fit));
        cut = record.count < points;
        pos += record.count * kMapPointSize;
        if (record.count > 0) {
            MeasureRecord(data + record.offset, record);
            onGlobe = onGlobe && OnGlobe(record);
        }
        lines->records.push_back(record);
    }
    lines->intact = !cut && onGlobe && pos == size;
    return lines;
}

bool WalkMapLinesInBox(const MapLines& lines, double south, double north, double west, double east,
                       CMapLineVisitor& visitor) {
    for (const MapLines::Record& record : lines.records) {
        visitor.BeginRecord();
        if (record.count == 0 || !(MapLatitude(record.maxLat) > south) ||
            !(MapLatitude(record.minLat) < north) || !(MapLongitude(record.maxLon) > west) ||
            !(MapLongitude(record.minLon) < east)) {
            continue;
        }
        const std::uint8_t* p = lines.bytes.data() + record.offset;
        for (std::size_t i = 0; i < record.count; ++i, p += kMapPointSize) {
            visitor.Point(MapLatitude(ReadInt16(p)), MapLongitude(ReadInt16(p + 2)));
        }
    }
    return lines.intact;
}
