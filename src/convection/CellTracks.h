#pragma once
// Tracks of cold-cloud cells through a sequence of frames of one geometry,
// in time order. A cell continues the cell of the previous frame it shares
// the most pixels with, when they share at least a quarter of the smaller
// one's pixels. When cells split, the part sharing the most with the old
// cell (the larger part) keeps the track and the others start new ones;
// when cells merge, the merged cell keeps the track of the partner sharing
// the most with it (the larger partner); the other track ends.

#include <cstdint>
#include <vector>

#include "convection/ColdCells.h"

struct TrackFrame {
    std::int64_t minutes = 0;  // observation time, or kUnknownObservation
    std::vector<ColdCell> cells;
};

struct TrackStep {
    int frame = 0;  // index into the frames, time order
    int track = 0;  // numbered from 1 in the order the tracks begin
    int cell = 0;   // index into the frame's cells
    double areaKm2 = 0.0;
    float minK = 0.0f;
    double lon = 0.0;
    double lat = 0.0;
    double x = 0.0;
    double y = 0.0;
    // False on a track's first frame, where there is no motion yet.
    bool moved = false;
    double speedKmh = 0.0;
    double directionDeg = 0.0;  // of motion, clockwise from north
    double growthPctPerHour = 0.0;
};

// Pixels the two cells have in common.
int SharedPixels(const ColdCell& a, const ColdCell& b);

// One step per cell and frame, by frame and then by track. Frames must be
// in time order; a step after no elapsed time, or next to a frame of
// unknown time, has motion and growth 0.
std::vector<TrackStep> TrackCells(const std::vector<TrackFrame>& frames);

// The track of every cell of frame f (0 when it has none), by cell index.
std::vector<int> TracksOfFrame(const std::vector<TrackStep>& steps, int frame, int cellCount);
