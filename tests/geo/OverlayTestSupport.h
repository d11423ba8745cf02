#pragma once
// Products with a plain linear projection and map files built in memory, for
// the overlay tests on the recording canvas.

#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "geo/GridOverlay.h"
#include "geo/MapLineOverlay.h"
#include "geo/Projection.h"
#include "geo/ProjectionParams.h"
#include "support/TestSupport.h"

// Equal latitude/longitude at 10 pixels per degree: x = 10 lon - 899.1 and
// y = 220.9 - 10 lat, so (lat 20, lon 91) projects to (10.9, 20.9). The box
// is 15-25 N, 85-105 E; the image is 200 x 100.
inline ProjectionParams LinearParams() {
    ProjectionParams p;
    p.type = EqualLatLon;
    p.centerLon = 95.0;
    p.refLon = 95.0;
    p.scale = 10.0;
    p.lonScale = 10.0;
    p.originX = -899.1;
    p.originY = 220.9;
    p.width = 200;
    p.height = 100;
    p.southLat = 15.0;
    p.northLat = 25.0;
    p.westLon = 85.0;
    p.eastLon = 105.0;
    return p;
}

// One map record: count as stored, then (lat × 100, lon × 100) pairs.
inline void AppendRecord(std::vector<std::uint8_t>& bytes, int count,
                         const std::vector<std::pair<int, int>>& points) {
    auto put16 = [&bytes](int v) {
        bytes.push_back(static_cast<std::uint8_t>(v & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
    };
    put16(count);
    for (int i = 0; i < 8; ++i) {
        bytes.push_back(0xEE);  // unused bytes, never read
    }
    for (const auto& [lat, lon] : points) {
        put16(lat);
        put16(lon);
    }
}

// A data folder "dat" under a temporary start-up directory.
class CTempDataDir {
public:
    CTempDataDir() { std::filesystem::create_directory(m_dir.File("dat")); }
    std::string Start() const { return m_dir.Path(); }
    bool Write(const std::string& name, const std::vector<std::uint8_t>& bytes) const {
        return WriteFileBytes(m_dir.File("dat/" + name), bytes);
    }

private:
    CTempDir m_dir;
};
