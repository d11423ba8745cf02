#pragma once
// Small helpers shared by the contour tests: reading the tracer's lines back
// as point lists.

#include <utility>
#include <vector>

#include "analysis/CContourTracer.h"

struct TracedLine {
    int count = 0;  // signed, negative for a closed line
    std::vector<std::pair<float, float>> points;
};

inline std::vector<TracedLine> LinesOf(const CContourTracer& tracer) {
    std::vector<TracedLine> lines;
    int offset = 0;
    for (int k = 1; k <= tracer.LineCount(); ++k) {
        TracedLine line;
        line.count = tracer.LineSize(k);
        const int n = line.count < 0 ? -line.count : line.count;
        for (int p = 0; p < n; ++p) {
            line.points.emplace_back(tracer.X()[offset + p], tracer.Y()[offset + p]);
        }
        offset += n;
        lines.push_back(line);
    }
    return lines;
}

constexpr float kTestMissing = 999.0f;

// Reporting tracer with unit spacing and a zero origin: a point at column
// offset u and row offset w lies at (u, -w).
inline int PrepareUnit(CContourTracer& tracer, const std::vector<float>& grid, int nx, int ny,
                       int projectionCode = 1, float dx = 1.0f) {
    return tracer.Prepare(grid.data(), nx, ny, 0.0f, 0.0f, dx, 1.0f, projectionCode, 1.0e9f,
                          -1.0e9f, kTestMissing);
}
