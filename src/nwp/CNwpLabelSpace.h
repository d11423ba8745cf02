#pragma once
// Where the contour labels of one composition may still go: the picture,
// less the boxes kept clear for other writing (the title line) and the
// boxes of the labels already drawn, each with the line it labels. Every
// overlay of a composition draws through the same space, so no label
// covers another or the title.

#include <vector>

#include "platform/Canvas.h"

class CNwpLabelSpace {
public:
    CNwpLabelSpace(int width, int height) : m_nWidth(width), m_nHeight(height) {}

    int Width() const { return m_nWidth; }
    int Height() const { return m_nHeight; }

    // A box no label may cover.
    void Reserve(const CanvasBox& box) { m_reserved.push_back(box); }
    // A number for a line, different from every other line of the space.
    int NewLine() { return m_nLines++; }
    // The label of line takes the box.
    void Take(const CanvasBox& box, int line) { m_labels.push_back({box, line}); }

    enum class Fit {
        kFree,
        kOwnLine,  // covers only labels of the same line
        kTaken,    // covers another line's label or a reserved box
    };
    Fit FitOf(const CanvasBox& box, int line) const;
    // Whether the box covers a reserved box.
    bool CoversReserved(const CanvasBox& box) const;

private:
    struct Label {
        CanvasBox box;
        int line = 0;
    };

    int m_nWidth;
    int m_nHeight;
    int m_nLines = 0;
    std::vector<CanvasBox> m_reserved;
    std::vector<Label> m_labels;
};
