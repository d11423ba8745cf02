#include "convection/PixelAreas.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "geo/Projection.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kRadPerDeg = kPi / 180.0;
// Half the span of the differences, pixels: wide enough that the transform's
// single-precision results do not show, narrow next to how areas change.
constexpr double kHalfSpan = 2.0;

// Longitude difference brought into (-180, 180], so a step across the date
// line is a small step.
double LonStep(double to, double from) {
    double d = to - from;
    while (d > 180.0) {
        d -= 360.0;
    }
    while (d <= -180.0) {
        d += 360.0;
    }
    return d;
}

struct Located {
    double lon = 0.0;
    double lat = 0.0;
};

bool Locate(const ProjectionParams& params, double x, double y, Located& out) {
    float lon = 0.0f;
    float lat = 0.0f;
    if (PixelToLatLon(params, x, y, lon, lat) != 0) {
        return false;
    }
    out = {lon, lat};
    return true;
}

// The largest coordinate the inverse transform accepts along a side of n.
double LastLocatable(int n) {
    return n - 1.0 - 1e-6;
}

}  // namespace

bool PixelAreaAt(const ProjectionParams& params, double x, double y, double& areaKm2) {
    if (params.type == Disk) {
        return false;
    }
    const double maxX = LastLocatable(params.width);
    const double maxY = LastLocatable(params.height);
    x = std::clamp(x, 0.0, maxX);
    y = std::clamp(y, 0.0, maxY);
    const double x0 = std::max(0.0, x - kHalfSpan);
    const double x1 = std::min(maxX, x + kHalfSpan);
    const double y0 = std::max(0.0, y - kHalfSpan);
    const double y1 = std::min(maxY, y + kHalfSpan);
    Located centre;
    Located west;
    Located east;
    Located north;
    Located south;
    if (!Locate(params, x, y, centre) || !Locate(params, x0, y, west) ||
        !Locate(params, x1, y, east) || !Locate(params, x, y0, north) ||
        !Locate(params, x, y1, south)) {
        return false;
    }
    // dA = R² cos(phi) |dlam/dx dphi/dy - dlam/dy dphi/dx| dx dy
    const double lamX = LonStep(east.lon, west.lon) * kRadPerDeg / (x1 - x0);
    const double phiX = (east.lat - west.lat) * kRadPerDeg / (x1 - x0);
    const double lamY = LonStep(south.lon, north.lon) * kRadPerDeg / (y1 - y0);
    const double phiY = (south.lat - north.lat) * kRadPerDeg / (y1 - y0);
    const double jacobian = std::fabs(lamX * phiY - lamY * phiX);
    areaKm2 = kSphereRadiusKm * kSphereRadiusKm * std::cos(centre.lat * kRadPerDeg) * jacobian;
    return std::isfinite(areaKm2);
}

bool CPixelAreas::Build(const ProjectionParams& params, int width, int height) {
    m_nodes.clear();
    if (params.type == Disk || width <= 0 || height <= 0) {
        return false;
    }
    const int nodesX = (width - 1) / kAreaNodeStep + 2;
    const int nodesY = (height - 1) / kAreaNodeStep + 2;
    std::vector<float> nodes(static_cast<std::size_t>(nodesX) * nodesY);
    for (int j = 0; j < nodesY; ++j) {
        for (int i = 0; i < nodesX; ++i) {
            double area = 0.0;
            if (!PixelAreaAt(params, i * kAreaNodeStep, j * kAreaNodeStep, area)) {
                return false;
            }
            nodes[static_cast<std::size_t>(j) * nodesX + i] = static_cast<float>(area);
        }
    }
    m_params = params;
    m_nWidth = width;
    m_nHeight = height;
    m_nNodesX = nodesX;
    m_nNodesY = nodesY;
    m_nodes = std::move(nodes);
    return true;
}

bool CPixelAreas::Matches(const ProjectionParams& params, int width, int height) const {
    return !m_nodes.empty() && width == m_nWidth && height == m_nHeight &&
           std::memcmp(&params, &m_params, sizeof params) == 0;
}

float CPixelAreas::At(int x, int y) const {
    const int i = x / kAreaNodeStep;
    const int j = y / kAreaNodeStep;
    const float fx = static_cast<float>(x - i * kAreaNodeStep) / kAreaNodeStep;
    const float fy = static_cast<float>(y - j * kAreaNodeStep) / kAreaNodeStep;
    const float* top = m_nodes.data() + static_cast<std::size_t>(j) * m_nNodesX + i;
    const float* bottom = top + m_nNodesX;
    const float upper = top[0] + fx * (top[1] - top[0]);
    const float lower = bottom[0] + fx * (bottom[1] - bottom[0]);
    return upper + fy * (lower - upper);
}

void CPixelAreas::RowNodes(int y, std::vector<float>& nodes) const {
    const int j = y / kAreaNodeStep;
    const float fy = static_cast<float>(y - j * kAreaNodeStep) / kAreaNodeStep;
    const float* top = m_nodes.data() + static_cast<std::size_t>(j) * m_nNodesX;
    const float* bottom = top + m_nNodesX;
    nodes.resize(static_cast<std::size_t>(m_nNodesX));
    for (int i = 0; i < m_nNodesX; ++i) {
        nodes[i] = top[i] + fy * (bottom[i] - top[i]);
    }
}
