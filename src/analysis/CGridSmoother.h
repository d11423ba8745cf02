#pragma once
// The two smoothers applied to a grid before it is traced. Both work in place
// on a row-major float grid of nx columns and ny rows, keep missing points
// missing and leave missing neighbours out of every average. Stateless.

class CGridSmoother {
public:
    // Weighted 3 x 3 average of every interior point: the centre gets
    // centreWeight / S, each edge neighbour edgeWeight / (4 S) and each corner
    // neighbour cornerWeight / (4 S), S being the sum of the three weights.
    // The outer rows and columns are unchanged; a point whose valid weights
    // sum to 0 becomes missing. False (grid unchanged) for a grid without
    // points, weights summing to 0, or when scratch memory is not available.
    static bool SmoothWeighted(float* grid, int nx, int ny, float centreWeight, float edgeWeight,
                               float cornerWeight, float missing);

    // Mean over a window of `window` x `window` points around every point,
    // spanning c - window/2 .. c + (window-1)/2 in each direction and moved
    // inward at the edges so that it lies wholly inside the grid (a grid
    // narrower than the window is averaged whole). A point keeps its own
    // value when its window holds no valid value. False (grid unchanged) for
    // a grid without points or when scratch memory is not available.
    static bool SmoothBoxMean(float* grid, int nx, int ny, int window, float missing);
};
