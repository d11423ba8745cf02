#include "convection/ConvectionOverlay.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>

#include "convection/CellOutline.h"
#include "platform/Canvas.h"

namespace {

// Coldest-temperature classes of the outlines, warmest first.
struct CellClass {
    float aboveK;
    std::uint32_t colour;
};
constexpr CellClass kCellClasses[] = {
    {213.0f, CanvasRgb(255, 255, 0)},  // just below the threshold
    {203.0f, CanvasRgb(255, 160, 0)},
    {193.0f, CanvasRgb(255, 0, 0)},
};
constexpr std::uint32_t kColdestCellColour = CanvasRgb(255, 255, 255);
constexpr std::uint32_t kTrackColour = CanvasRgb(0, 255, 0);
// Outlines and labels are bright; a one-pixel dark halo keeps them apart
// from palettes whose colours match them (orange and red on 彩色-1).
constexpr std::uint32_t kHaloColour = CanvasRgb(0, 0, 0);
struct Offset {
    int dx;
    int dy;
};
constexpr Offset kHaloOffsets[] = {{-1, -1}, {0, -1}, {1, -1}, {-1, 0},
                                   {1, 0},   {-1, 1}, {0, 1},  {1, 1}};

// The cooling scale runs from blue at the drawn limit to magenta this much
// faster.
constexpr float kCoolingScaleSpanKPerHour = 24.0f;

constexpr int kLabelHeight = 12;
constexpr int kLabelOffset = 4;
constexpr int kMarkHalf = 3;

CanvasFont LabelFont() {
    CanvasFont font;
    font.height = kLabelHeight;
    font.weight = 400;
    return font;
}

void DrawOutline(CCanvas& canvas, const std::vector<CellPixel>& outline, std::uint32_t colour,
                 Offset at = {0, 0}) {
    canvas.MoveTo(outline.front().x + at.dx, outline.front().y + at.dy);
    for (std::size_t k = 1; k < outline.size(); ++k) {
        canvas.LineTo(outline[k].x + at.dx, outline[k].y + at.dy);
    }
    canvas.LineTo(outline.front().x + at.dx, outline.front().y + at.dy);
    // A line to where it started draws nothing: a one-pixel outline needs
    // its pixel set.
    if (outline.size() == 1) {
        canvas.SetPixel(outline.front().x + at.dx, outline.front().y + at.dy, colour);
    }
}

// Every cell's outline and label shifted by one pixel each way in the halo
// colour, all before any outline, so no halo covers a neighbour's outline.
void DrawHalos(CCanvas& canvas, const std::vector<ColdCell>& cells,
               const std::vector<std::vector<CellPixel>>& outlines) {
    canvas.SelectPen(CanvasPen{kPenSolid, 1, kHaloColour});
    canvas.SetTextColor(kHaloColour);
    for (std::size_t k = 0; k < cells.size(); ++k) {
        const std::string label = CellLabel(cells[k]);
        for (const Offset& at : kHaloOffsets) {
            DrawOutline(canvas, outlines[k], kHaloColour, at);
            canvas.TextOut(static_cast<int>(cells[k].x) + kLabelOffset + at.dx,
                           static_cast<int>(cells[k].y) + at.dy, label);
        }
    }
}

void DrawMark(CCanvas& canvas, int x, int y) {
    canvas.MoveTo(x - kMarkHalf, y);
    canvas.LineTo(x + kMarkHalf + 1, y);
    canvas.MoveTo(x, y - kMarkHalf);
    canvas.LineTo(x, y + kMarkHalf + 1);
}

}  // namespace

std::uint32_t CellColour(float minK) {
    for (const CellClass& c : kCellClasses) {
        if (minK > c.aboveK) {
            return c.colour;
        }
    }
    return kColdestCellColour;
}

bool CoolingColour(float rateKPerHour, std::uint32_t& colour) {
    if (!(rateKPerHour <= kCoolingDrawnKPerHour)) {
        return false;
    }
    const float t =
        std::min(1.0f, (kCoolingDrawnKPerHour - rateKPerHour) / kCoolingScaleSpanKPerHour);
    colour = CanvasRgb(static_cast<int>(std::lround(255.0f * t)), 0, 255);
    return true;
}

std::string CellLabel(const ColdCell& cell) {
    char text[64];
    std::snprintf(text, sizeof text, "%.0fkm² %.0fK", cell.areaKm2, static_cast<double>(cell.minK));
    return text;
}

std::string TrackLabel(const TrackStep& step) {
    char text[64];
    std::snprintf(text, sizeof text, "%.0fkm/h %.0f°", step.speedKmh, step.directionDeg);
    return text;
}

void DrawCells(CCanvas& canvas, const std::vector<ColdCell>& cells) {
    CCanvasStateGuard guard(canvas);
    canvas.SetBkMode(kBackgroundTransparent);
    canvas.SelectFont(LabelFont());
    std::vector<std::vector<CellPixel>> outlines;
    outlines.reserve(cells.size());
    for (const ColdCell& cell : cells) {
        outlines.push_back(CellOutline(cell));
    }
    DrawHalos(canvas, cells, outlines);
    for (std::size_t k = 0; k < cells.size(); ++k) {
        const ColdCell& cell = cells[k];
        const std::uint32_t colour = CellColour(cell.minK);
        canvas.SelectPen(CanvasPen{kPenSolid, 1, colour});
        DrawOutline(canvas, outlines[k], colour);
        canvas.SetTextColor(colour);
        canvas.TextOut(static_cast<int>(cell.x) + kLabelOffset, static_cast<int>(cell.y),
                       CellLabel(cell));
    }
}

void DrawTracks(CCanvas& canvas, const std::vector<TrackStep>& steps, int frame) {
    // The steps of every track alive in the frame, up to that frame.
    std::map<int, std::vector<const TrackStep*>> paths;
    for (const TrackStep& step : steps) {
        if (step.frame <= frame) {
            paths[step.track].push_back(&step);
        }
    }
    CCanvasStateGuard guard(canvas);
    canvas.SetBkMode(kBackgroundTransparent);
    canvas.SelectFont(LabelFont());
    canvas.SelectPen(CanvasPen{kPenSolid, 1, kTrackColour});
    canvas.SetTextColor(kTrackColour);
    for (const auto& [track, path] : paths) {
        const TrackStep& last = *path.back();
        if (last.frame != frame) {
            continue;
        }
        canvas.MoveTo(static_cast<int>(path.front()->x), static_cast<int>(path.front()->y));
        for (const TrackStep* step : path) {
            canvas.LineTo(static_cast<int>(step->x), static_cast<int>(step->y));
        }
        DrawMark(canvas, static_cast<int>(last.x), static_cast<int>(last.y));
        if (last.moved) {
            canvas.TextOut(static_cast<int>(last.x) + kLabelOffset,
                           static_cast<int>(last.y) + kLabelHeight, TrackLabel(last));
        }
    }
}

void DrawCooling(CCanvas& canvas, const CCoolingMap& cooling) {
    if (cooling.Empty()) {
        return;
    }
    // One colour per pair of counts; 0 marks a pair left out.
    std::vector<std::uint32_t> colours(256 * 256, 0);
    std::vector<std::uint8_t> drawn(256 * 256, 0);
    for (int a = 0; a < 256; ++a) {
        for (int b = 0; b < 256; ++b) {
            const std::size_t pair = static_cast<std::size_t>(a) * 256 + b;
            drawn[pair] = CoolingColour(cooling.RateOf(static_cast<std::uint8_t>(a),
                                                       static_cast<std::uint8_t>(b)),
                                        colours[pair])
                              ? 1
                              : 0;
        }
    }
    const int width = std::min(cooling.Width(), canvas.Width());
    const int height = std::min(cooling.Height(), canvas.Height());
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* older = cooling.Older().CountsRow(y);
        const std::uint8_t* newer = cooling.Newer().CountsRow(y);
        for (int x = 0; x < width; ++x) {
            const std::size_t pair = (static_cast<std::size_t>(older[x]) << 8) | newer[x];
            if (drawn[pair]) {
                canvas.SetPixel(x, y, colours[pair]);
            }
        }
    }
}
