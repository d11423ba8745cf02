#pragma once
// One NWP overlay: a diamond type-4 file's header, its grid prepared for
// contouring and the settings it is drawn with. The view keeps a list of
// them and draws the visible ones over the satellite picture at every
// composition, in list order.

#include <string>
#include <vector>

#include "nwp/DiamondGrid.h"
#include "nwp/NwpLabels.h"
#include "nwp/NwpSettings.h"

class CCanvas;
class CContourTracer;
class CGeoImage;
class CNwpLabelSpace;

class CNwpOverlay {
public:
    CNwpOverlay() = default;
    virtual ~CNwpOverlay() = default;
    CNwpOverlay(const CNwpOverlay&) = default;
    CNwpOverlay& operator=(const CNwpOverlay&) = default;
    CNwpOverlay(CNwpOverlay&&) = default;
    CNwpOverlay& operator=(CNwpOverlay&&) = default;

    // Quick check for the selection list: true when the file is a diamond
    // file of type 4 of at least 100 bytes; fills the header's first nine
    // tokens and the date/time and field name texts. Nothing changes when the
    // file is refused; `why` (when given) receives the reason.
    bool ProbeHeader(const std::string& path, DiamondError* why = nullptr);

    // Reads the whole file and prepares its grid. The default settings take
    // the file's contour interval (contours on, one decimal) and become the
    // current settings. On refusal false, and the overlay keeps what it had.
    // Files are only ever read.
    bool ReadFile(const std::string& path, DiamondError* why = nullptr);

    // Draws the contours onto the picture of the displayed product: 1 when
    // drawn, 0 when skipped (contours off, no file read, the product not
    // loaded or without geolocation, or no memory for the tracer). Labels
    // take their places in labels, shared by the composition's overlays
    // (without one, this overlay's labels only keep clear of each other).
    int Draw(CCanvas& canvas, const CGeoImage& product, CNwpLabelSpace* labels = nullptr) const;

    // Prepares a tracer on the grid in longitude/latitude; projectionCode 4
    // lets a grid round the earth join its first and last columns. 0, or -1
    // when there is no grid or no memory (the tracer reports that itself).
    int PrepareTracer(CContourTracer& tracer, int projectionCode) const;

    // --- The overlay list's view of it -------------------------------------
    int IsVisible() const { return m_bVisible; }
    void SetVisible(int visible) { m_bVisible = visible; }
    NwpSettings& CurrentSettings() { return m_current; }
    const NwpSettings& CurrentSettings() const { return m_current; }
    const NwpSettings& DefaultSettings() const { return m_default; }
    // The colour "默认" restores, for lines and labels.
    void SetDefaultColour(std::uint32_t colour) {
        m_default.lineColour = colour;
        m_default.labelColour = colour;
    }

    // --- What was read -------------------------------------------------------
    // Empty until a file was read; an overlay without a path draws nothing.
    const std::string& FilePath() const { return m_strPath; }
    const DiamondHeader& Header() const { return m_header; }
    // The date/time text with its century prefix and the field's name,
    // converted from GBK for display.
    std::string DateTimeText() const;
    std::string FieldNameText() const;
    const std::string& DateTimeGbk() const { return m_strDateTime; }
    const std::string& FieldNameGbk() const { return m_strFieldName; }
    const std::string& Description() const { return m_header.description; }
    // nx is the stored column count (the wrap column included).
    int Nx() const { return m_header.nx; }
    int Ny() const { return m_header.ny; }
    // Ny() rows of Nx() values, row 0 northernmost; empty before a read.
    const std::vector<float>& Grid() const { return m_grid; }
    const NwpGridExtent& Extent() const { return m_extent; }

private:
    int m_bVisible = 1;
    std::string m_strPath;
    NwpSettings m_current;
    NwpSettings m_default;
    NwpGridExtent m_extent;
    DiamondHeader m_header;
    std::string m_strFieldName;
    std::string m_strDateTime;
    std::vector<float> m_grid;
};

// Draws every visible overlay of the list, in list order; the number drawn.
// No label covers another of the list's labels or the reserved box (the
// title line), when one is given.
int DrawNwpOverlays(CCanvas& canvas, const CGeoImage& product,
                    const std::vector<CNwpOverlay>& overlays, const CanvasBox* reserved = nullptr);
