#pragma once
// Small drawing helpers of the side bar in the classic Windows manner:
// rectangles given by their edges (right and bottom exclusive), 3-D frames
// and the flat radio button and check box.

#include <QColor>
#include <QRect>

class QPainter;

// The rectangle from (left, top) up to, not including, (right, bottom).
inline QRect EdgeRect(int left, int top, int right, int bottom) {
    return QRect(left, top, right - left, bottom - top);
}
inline int RightEdge(const QRect& rect) {
    return rect.x() + rect.width();
}
inline int BottomEdge(const QRect& rect) {
    return rect.y() + rect.height();
}

// Fills a rectangle with one colour, without antialiasing.
void FillSolidRect(QPainter& painter, const QRect& rect, const QColor& color);
// A one-pixel frame: top and left in one colour, right and bottom in the other.
void Draw3dRect(QPainter& painter, const QRect& rect, const QColor& topLeft,
                const QColor& bottomRight);
// A flat 12 x 12 radio button at (x, y): white disc, shadow rim, black dot when checked.
void DrawFlatRadio(QPainter& painter, int x, int y, bool checked, const QColor& rim);
// A flat 12 x 12 check box at (x, y): white square, shadow frame, tick when checked.
void DrawFlatCheck(QPainter& painter, int x, int y, bool checked, const QColor& frame);

// The text-to-background contrast ratio of two colours (1 to 21), from their
// relative luminance.
double ContrastRatio(const QColor& a, const QColor& b);
// background, made darker (for light text) or lighter (for dark text) in
// small steps until text on it reaches the ratio; unchanged when it does.
QColor WithContrast(const QColor& background, const QColor& text, double ratio);
