#include "nwp/DiamondGrid.h"

#include <cmath>
#include <new>
#include <utility>

#include "analysis/CGridSmoother.h"

namespace {

// The weights of the first smoother: centre, edge, corner.
constexpr float kCentreWeight = 0.5f;
constexpr float kEdgeWeight = 0.3f;
constexpr float kCornerWeight = 0.2f;
constexpr int kBoxWindow = 3;

bool Finite(float v) {
    return std::isfinite(v);
}

DiamondError CheckGeometry(const DiamondHeader& h, std::size_t bytes) {
    if (h.nx < 2 || h.ny < 2) {
        return DiamondError::BadSize;
    }
    // Every value takes at least a digit and a separator.
    const long long points = static_cast<long long>(h.nx) * h.ny;
    if (points > kMaxDiamondPoints || points > static_cast<long long>(bytes / 2)) {
        return DiamondError::TooManyPoints;
    }
    if (!Finite(h.lonStep) || !Finite(h.latStep) || h.lonStep == 0.0f || h.latStep == 0.0f) {
        return DiamondError::BadStep;
    }
    if (!Finite(h.firstLon) || !Finite(h.lastLon) || !Finite(h.firstLat) || !Finite(h.lastLat)) {
        return DiamondError::BadBounds;
    }
    return DiamondError::None;
}

void DeriveBounds(DiamondGrid& g) {
    const DiamondHeader& h = g.header;
    g.southLat = std::fmin(h.firstLat, h.lastLat);
    g.northLat = std::fmax(h.firstLat, h.lastLat);
    g.firstLon = h.firstLon;
    g.lastLon = h.firstLon > h.lastLon ? h.lastLon + 360.0 : h.lastLon;
    g.rowSpacing = std::fabs(h.latStep);
    g.columnSpacing = std::fabs(h.lonStep);
    g.fileColumns = h.nx;
}

// A grid round the earth gets its first column again at the end, so lines
// can be traced across the seam; a file whose columns already reach the
// first meridian again (0 .. 360) holds that column itself.
int StoredColumns(const DiamondGrid& g) {
    const double span = g.lastLon - g.firstLon;
    const double reach = (g.fileColumns - 1) * g.columnSpacing;
    const bool closed = std::fabs(reach - 360.0) < 0.5 * g.columnSpacing;
    return span >= kWrapColumnSpan && !closed ? g.fileColumns + 1 : g.fileColumns;
}

// File rows run from the first latitude to the last; a positive latitude
// step means south to north, so those rows are stored bottom up.
void ReadValues(CDiamondTokens& tokens, DiamondGrid& g) {
    const int ny = g.header.ny;
    const std::size_t stored = static_cast<std::size_t>(g.header.nx);
    const bool southFirst = g.header.latStep > 0.0f;
    bool dataLeft = true;
    for (int r = 0; r < ny && dataLeft; ++r) {
        const int row = southFirst ? ny - 1 - r : r;
        float* out = &g.values[static_cast<std::size_t>(row) * stored];
        for (int c = 0; c < g.fileColumns; ++c) {
            float v = 0.0f;
            if (!tokens.NextFloat(v)) {
                dataLeft = false;  // the rest stays missing
                break;
            }
            out[c] = std::isfinite(v) ? v : kNwpMissing;
            ++g.pointsRead;
        }
        if (stored > static_cast<std::size_t>(g.fileColumns)) {
            out[g.fileColumns] = out[0];
        }
    }
}

}  // namespace

DiamondError ParseDiamondText(const char* data, std::size_t size, DiamondGrid& grid) {
    if (size < kMinDiamondBytes) {
        return DiamondError::TooShort;
    }
    CDiamondTokens tokens(data, data + size);
    DiamondGrid g;
    DiamondError error = ReadProbeTokens(tokens, g.header);
    if (error == DiamondError::None) {
        error = ReadGridTokens(tokens, g.header);
    }
    if (error == DiamondError::None) {
        error = CheckGeometry(g.header, size);
    }
    if (error != DiamondError::None) {
        return error;
    }
    DeriveBounds(g);
    g.header.nx = StoredColumns(g);
    const std::size_t count =
        static_cast<std::size_t>(g.header.nx) * static_cast<std::size_t>(g.header.ny);
    try {
        g.values.assign(count, kNwpMissing);
    } catch (const std::bad_alloc&) {
        return DiamondError::OutOfMemory;
    }
    ReadValues(tokens, g);
    grid = std::move(g);
    return DiamondError::None;
}

bool SmoothDiamondGrid(DiamondGrid& grid) {
    float* v = grid.values.data();
    const int nx = grid.header.nx;
    const int ny = grid.header.ny;
    return CGridSmoother::SmoothWeighted(v, nx, ny, kCentreWeight, kEdgeWeight, kCornerWeight,
                                         kNwpMissing) &&
           CGridSmoother::SmoothBoxMean(v, nx, ny, kBoxWindow, kNwpMissing);
}
