#pragma once
// One-pixel lines as the original device's cosmetic pens draw them, for the
// canvases that write a picture's pixels themselves: no antialiasing, a line
// runs from its start up to but not including its end, and a styled pen's
// pattern runs on across consecutive lines (restarting at MoveTo and at a
// new pen), so a grid line made of many short steps still shows its dashes.

#include <cstdlib>
#include <vector>

// On/off run lengths of a pen style's pattern at one pixel width, as Qt
// draws its styles: on, off, on, off, ... (empty: solid).
std::vector<int> PenPattern(int style);

// Bresenham's line over every octant from (x0, y0) up to but not including
// (x1, y1); plot(x, y, on) is called for every pixel, on false in the
// pattern's gaps. Pixels outside the picture are the caller's to skip, so a
// line that comes in from far outside keeps its true course and its pattern
// phase. pos is the position reached in the pattern, carried between lines.
template <typename Plot>
void WalkPenLine(int x0, int y0, int x1, int y1, const std::vector<int>& pattern, int& pos,
                 Plot&& plot) {
    int period = 0;
    for (int run : pattern) {
        period += run;
    }
    int x = x0;
    int y = y0;
    const int dx = std::abs(x1 - x);
    const int dy = -std::abs(y1 - y);
    const int sx = x < x1 ? 1 : -1;
    const int sy = y < y1 ? 1 : -1;
    int err = dx + dy;
    while (x != x1 || y != y1) {
        bool on = true;
        if (period > 0) {
            int at = pos % period;
            std::size_t run = 0;
            while (at >= pattern[run]) {
                at -= pattern[run];
                ++run;
            }
            on = run % 2 == 0;
            ++pos;
        }
        plot(x, y, on);
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
    if (period > 0) {
        pos %= period;
    }
}
