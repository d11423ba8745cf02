#pragma once
// The contour levels of an overlay: the first contour value, then the
// interval added once per step in single precision, while the level does not
// pass the last contour value.

#include <vector>

// No overlay draws more levels than this; an interval of 0.001 over a height
// field would otherwise keep one composition busy for minutes.
constexpr int kMaxNwpLevels = 2000;

// The levels in drawing order. None when the interval is not above 0 or not
// finite; the loop also stops when adding the interval no longer changes the
// level (a level so large that the interval is lost in its precision).
std::vector<float> NwpContourLevels(float first, float last, float interval);
