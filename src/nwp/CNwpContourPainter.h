#pragma once
// Draws the traced lines of one overlay, level by level, onto the picture of
// the displayed product in image pixels, and labels them: where a line
// leaves or re-enters the picture, at the ends of open lines and at the
// northernmost point of closed lines. Lines are cut at the picture's border:
// only points strictly inside are joined.

#include <cstddef>
#include <cstdint>

#include "geo/ProjectionParams.h"
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
    // The picture is params.width x params.height pixels.
    CNwpContourPainter(CCanvas& canvas, const ProjectionParams& params,
                       const NwpDrawingSettings& settings, const NwpGridExtent& grid);
    CNwpContourPainter(const CNwpContourPainter&) = delete;
    CNwpContourPainter& operator=(const CNwpContourPainter&) = delete;

    // The lines of one level in the line colour and style, labelled with the
    // level in the label colour; pen and text colour are restored after.
    void DrawContourLevel(const NwpLines& lines, float level);

    // One label at the point, placed by the factors and turned with the
    // meridian; nothing when the point is not strictly inside the picture.
    void DrawContourLabel(double lon, double lat, float value, double fx, double fy);

    // The label at an end of an open line; neighbourLon is the longitude of
    // the point next to the end.
    void DrawEndLabel(double lon, double lat, double neighbourLon, float value);

    // The pixel of a point, truncated toward zero; false when the point has
    // no pixel (outside the transform's range, or in the other hemisphere of
    // a conic or polar picture, where the formulas mirror it).
    bool ToPixel(double lon, double lat, int& x, int& y) const;
    bool Inside(int x, int y) const {
        return 0 < x && x < m_params.width - 1 && 0 < y && y < m_params.height - 1;
    }

private:
    void DrawLine(const float* lon, const float* lat, std::size_t n, bool closed, float level);

    CCanvas& m_canvas;
    const ProjectionParams& m_params;
    NwpDrawingSettings m_settings;
    NwpGridExtent m_grid;
    bool m_bSouthernConic;
};
