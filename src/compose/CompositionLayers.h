#pragma once
// The view's switches that decide what is composed, with the view's names
// and initial values.

#include <string>

// The display mode while the precipitation estimate is shown.
constexpr int kDisplayPrecipitation = 105;

struct CompositionLayers {
    std::string m_strPalette;  // palette file path; empty keeps the image's table
    int m_bPaletteOn = 0;
    int m_bMap = 1;
    int m_bProvinces = 0;
    int m_bGrid = 1;
    int m_bTitle = 1;
    int m_bIsotherms = 0;
    int m_nDisplayMode = 0;
    // The colour legend strip at the bottom, over everything else; off
    // unless asked for, in saved pictures too.
    int m_bLegend = 0;
    // The convection layers: cold-cloud cells, their tracks and the
    // cloud-top cooling map, drawn from what the scene holds of them.
    int m_bCells = 0;
    int m_bTracks = 0;
    int m_bCooling = 0;
};
