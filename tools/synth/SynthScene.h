#pragma once
// The synthetic weather of the sample products: a warm surface with a
// land/sea pattern under several cold cloud systems (elliptical bodies with
// spiral bands and cold tops of 200-230 K) and scattered convection that
// drift, turn and grow or decay smoothly with time, so that products of successive times make a
// loop.

#include <cstdint>
#include <vector>

// The pixel grid a scene is sampled on: geographic position of every pixel
// taken as centre + offset × degPerPixel (near enough for synthetic weather
// in every projection).
struct SynthGrid {
    int width = 0;
    int height = 0;
    double centerLon = 0.0;
    double centerLat = 0.0;
    double degPerPixel = 0.05;
};

// What the scene holds at one place and time.
struct SynthSample {
    double surfaceK = 290.0;  // skin temperature under the clouds
    double land = 0.0;        // 0 sea … 1 land
    double cover = 0.0;       // 0 clear … 1 overcast
    double topK = 220.0;      // cloud-top temperature where cover > 0
    double moisture = 0.0;    // -1 … 1, upper-level humidity pattern
};

class CSynthScene {
public:
    // The same seed, grid and time always give the same scene.
    CSynthScene(std::uint32_t seed, const SynthGrid& grid, double timeHours);

    SynthSample Sample(double lon, double lat) const;

    // Counts of channel code 1-5 through the synthetic calibration, width ×
    // height bytes, top row first.
    std::vector<std::uint8_t> RenderCounts(int channel) const;

private:
    struct CloudSystem {
        double lon = 0.0, lat = 0.0;  // centre at the scene's time
        double a = 1.0, b = 1.0;      // semi-axes, degrees
        double angle = 0.0;           // orientation of the major axis, radians
        double armPhase = 0.0;        // rotation of the spiral bands
        double armStrength = 0.5;     // 0 plain ellipse … 1 pure spiral
        double topK = 215.0;          // coldest top
        double strength = 1.0;        // stage of development
    };

    double CloudDensity(const CloudSystem& s, double lon, double lat) const;

    std::uint32_t m_seed = 1;
    SynthGrid m_grid;
    double m_timeHours = 0.0;
    std::vector<CloudSystem> m_systems;
};
