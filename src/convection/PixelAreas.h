#pragma once
// The area on the ground of every pixel of one image geometry, in km² on a
// sphere of radius 6371 km, taken from the product's own inverse transform so
// that it holds on every projection. Areas vary slowly across an image, so
// they are worked out once per geometry on a grid of nodes every
// kAreaNodeStep pixels and interpolated bilinearly in between.

#include <cstdint>
#include <vector>

#include "geo/ProjectionParams.h"

inline constexpr double kSphereRadiusKm = 6371.0;
inline constexpr int kAreaNodeStep = 16;

class CPixelAreas {
public:
    // Works out the nodes for an image of width x height pixels; false (and
    // empty) for a full-disk image, which has no geolocation, or when a node
    // cannot be located.
    bool Build(const ProjectionParams& params, int width, int height);
    // True when built for this geometry (the record compared by its bits).
    bool Matches(const ProjectionParams& params, int width, int height) const;
    bool Empty() const { return m_nodes.empty(); }

    // The area of pixel (x, y), km².
    float At(int x, int y) const;
    // The nodes of row y (interpolated between node rows), for AtNode: the
    // areas of the pixels of a row that are wanted, without the others.
    void RowNodes(int y, std::vector<float>& nodes) const;
    static float AtNode(const std::vector<float>& nodes, int x) {
        const int i = x / kAreaNodeStep;
        const float f = static_cast<float>(x - i * kAreaNodeStep) / kAreaNodeStep;
        return nodes[i] + f * (nodes[i + 1] - nodes[i]);
    }

private:
    ProjectionParams m_params;
    int m_nWidth = 0;
    int m_nHeight = 0;
    int m_nNodesX = 0;
    int m_nNodesY = 0;
    std::vector<float> m_nodes;  // m_nNodesY rows of m_nNodesX, km²
};

// The area of the pixel at (x, y) from the Jacobian of the inverse transform
// (central differences over neighbouring positions, one-sided at the image's
// edges); false where the image cannot be located.
bool PixelAreaAt(const ProjectionParams& params, double x, double y, double& areaKm2);
