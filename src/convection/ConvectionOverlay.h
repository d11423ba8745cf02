#pragma once
// The convection layers drawn in image pixels onto the composition's canvas:
// cell outlines coloured by their coldest temperature with a label of area
// and coldest value, track paths up to the frame shown with the speed and
// direction of their last step, and the cloud-top cooling map.

#include <cstdint>
#include <vector>

#include "convection/CellTracks.h"
#include "convection/ColdCells.h"
#include "convection/CoolingRate.h"

class CCanvas;

// What the composition draws of convection; a missing part draws nothing.
struct ConvectionLayers {
    const std::vector<ColdCell>* cells = nullptr;
    const std::vector<TrackStep>* tracks = nullptr;
    int frame = 0;  // the frame shown, for the tracks
    const CCoolingMap* cooling = nullptr;
};

// The outline colour of a cell whose coldest temperature is minK.
std::uint32_t CellColour(float minK);
// The colour of a cooling rate (K/h); false for rates not drawn (slower
// cooling than kCoolingDrawnKPerHour, or warming).
bool CoolingColour(float rateKPerHour, std::uint32_t& colour);
// The label of a cell: "AREAkm² MINK".
std::string CellLabel(const ColdCell& cell);
// The label of a track's last step: "SPEEDkm/h DIR°".
std::string TrackLabel(const TrackStep& step);

void DrawCells(CCanvas& canvas, const std::vector<ColdCell>& cells);
void DrawTracks(CCanvas& canvas, const std::vector<TrackStep>& steps, int frame);
void DrawCooling(CCanvas& canvas, const CCoolingMap& cooling);
