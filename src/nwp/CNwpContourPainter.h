#pragma once
// Draws the traced lines of one overlay, level by level, onto the picture of
// the displayed product in image pixels, and labels them: where a line
// leaves or re-enters the picture, at the ends of open lines and at the
// northernmost point of closed lines. Lines are cut at the picture's border:
// only points strictly inside are joined.
//
// Every label is kept inside the picture: mirrored about its point toward
// the inside at an edge, then pushed in. A label that would cover another
// line's label of the composition or the title is moved along its line to
// the first point where it fits, or left out; one that would cover only a
// label of its own line is left out. A line with points inside the picture
// that got no label this way gets one wherever it fits along it.

#include <cstddef>
#include <cstdint>

#include <string>

#include "geo/ProjectionParams.h"
#include "nwp/CNwpLabelSpace.h"
#include "nwp/NwpLabels.h"
#include "nwp/NwpSettings.h"
#include "platform/Canvas.h"

// One level's lines in longitude/latitude, as the tracer leaves them: the
// points of all lines one after another and a signed count per line
// (negative for a closed line).
struct NwpLines {
    const float* lon = nullptr;
    const float* lat = nullptr;
    const int* counts = nullptr;
    int lineCount = 0;
};

// The drawing settings copied from an overlay's current block.
struct NwpDrawingSettings {
    std::uint32_t labelColour = 0;
    std::uint32_t lineColour = 0;
    int labelHeight = 16;
    int lineStyle = kPenSolid;
    int labelDecimals = 1;
};

NwpDrawingSettings DrawingSettingsOf(const NwpSettings& current);

class CNwpContourPainter {
public:
    // The picture is params.width x params.height pixels. Labels go where
    // space (shared by the overlays of a composition) leaves room; without
    // one the painter keeps its own for the canvas.
    CNwpContourPainter(CCanvas& canvas, const ProjectionParams& params,
                       const NwpDrawingSettings& settings, const NwpGridExtent& grid,
                       CNwpLabelSpace* space = nullptr);
    CNwpContourPainter(const CNwpContourPainter&) = delete;
    CNwpContourPainter& operator=(const CNwpContourPainter&) = delete;

    // The lines of one level in the line colour and style, labelled with the
    // level in the label colour; pen and text colour are restored after.
    void DrawContourLevel(const NwpLines& lines, float level);

    // One label at the point, placed by the factors, turned with the
    // meridian and kept inside the picture; nothing when the point is not
    // strictly inside the picture or its place is taken. True when drawn.
    bool DrawContourLabel(double lon, double lat, float value, double fx, double fy);

    // The pixel of a point, truncated toward zero; false when the point has
    // no pixel (outside the transform's range, or in the other hemisphere of
    // a conic or polar picture, where the formulas mirror it).
    bool ToPixel(double lon, double lat, int& x, int& y) const;
    bool Inside(int x, int y) const {
        return 0 < x && x < m_params.width - 1 && 0 < y && y < m_params.height - 1;
    }

private:
    // The text of the level's labels and its size, measured once a level.
    struct LevelText {
        std::string text;
        CanvasSize size;
    };
    // Where a label goes: its text's top-left corner, the turn and its box.
    struct Placement {
        int x = 0;
        int y = 0;
        int escapement = 0;
        CanvasBox box;
    };
    // One line being drawn, with the number its labels take in the space.
    struct Line {
        const float* lon = nullptr;
        const float* lat = nullptr;
        std::size_t n = 0;
        int id = 0;
        bool labelled = false;
    };

    void DrawLine(Line& line, bool closed);
    LevelText MeasureLevel(float level);
    // The label's place at a point, inside the picture; false when the point
    // is not inside or the label cannot fit in the picture at all.
    bool PlaceAt(double lon, double lat, double fx, double fy, Placement& out) const;
    void Put(const Placement& place, int line);
    // The label of point k with the factors; when its place is taken by
    // another line's label or the title, the first point along the line
    // where a label fits.
    void LabelLine(Line& line, std::size_t k, const NwpLabelFactors& f);
    // A label centred on point k when its place is free.
    bool LabelAt(Line& line, std::size_t k);
    bool LabelAlong(Line& line, std::size_t k);
    // A line inside the picture without a label gets one.
    void EnsureLabel(Line& line);

    CCanvas& m_canvas;
    const ProjectionParams& m_params;
    NwpDrawingSettings m_settings;
    NwpGridExtent m_grid;
    bool m_bSouthernConic;
    CNwpLabelSpace m_ownSpace;
    CNwpLabelSpace& m_space;
    LevelText m_level;
};
