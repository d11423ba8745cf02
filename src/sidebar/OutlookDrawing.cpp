#include "sidebar/OutlookDrawing.h"

#include <QPainter>

#include <algorithm>
#include <array>
#include <cmath>

void FillSolidRect(QPainter& painter, const QRect& rect, const QColor& color) {
    if (rect.width() > 0 && rect.height() > 0) {
        painter.fillRect(rect, color);
    }
}

void Draw3dRect(QPainter& painter, const QRect& rect, const QColor& topLeft,
                const QColor& bottomRight) {
    const int x = rect.x();
    const int y = rect.y();
    const int cx = rect.width();
    const int cy = rect.height();
    FillSolidRect(painter, QRect(x, y, cx - 1, 1), topLeft);
    FillSolidRect(painter, QRect(x, y, 1, cy - 1), topLeft);
    FillSolidRect(painter, QRect(x + cx - 1, y, 1, cy), bottomRight);
    FillSolidRect(painter, QRect(x, y + cy - 1, cx, 1), bottomRight);
}

namespace {

constexpr int kGlyphSize = 12;

// Half-widths of the radio disc's rows, drawn pixel by pixel so that the
// circle stays crisp at every scale.
constexpr std::array<int, kGlyphSize> kDiscSpan = {2, 4, 5, 5, 6, 6, 6, 6, 5, 5, 4, 2};

void FillDiscRows(QPainter& painter, int x, int y, int inset, const QColor& color) {
    for (int row = inset; row < kGlyphSize - inset; ++row) {
        const int half = kDiscSpan[row] - inset;
        if (half > 0) {
            FillSolidRect(painter, QRect(x + 6 - half, y + row, 2 * half, 1), color);
        }
    }
}

}  // namespace

void DrawFlatRadio(QPainter& painter, int x, int y, bool checked, const QColor& rim) {
    FillDiscRows(painter, x, y, 0, rim);
    FillDiscRows(painter, x, y, 1, Qt::white);
    if (checked) {
        FillSolidRect(painter, QRect(x + 5, y + 4, 2, 4), Qt::black);
        FillSolidRect(painter, QRect(x + 4, y + 5, 4, 2), Qt::black);
    }
}

void DrawFlatCheck(QPainter& painter, int x, int y, bool checked, const QColor& frame) {
    FillSolidRect(painter, QRect(x, y, kGlyphSize, kGlyphSize), frame);
    FillSolidRect(painter, QRect(x + 1, y + 1, kGlyphSize - 2, kGlyphSize - 2), Qt::white);
    if (!checked) {
        return;
    }
    // The classic tick: three pixels high, falling to the bottom left, rising right.
    constexpr std::array<int, 7> kTickTop = {5, 6, 7, 6, 5, 4, 3};
    for (int i = 0; i < 7; ++i) {
        FillSolidRect(painter, QRect(x + 3 + i, y + kTickTop[i], 1, 3), Qt::black);
    }
}

namespace {

double Linear(double channel) {
    const double c = channel / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double Luminance(const QColor& c) {
    return 0.2126 * Linear(c.red()) + 0.7152 * Linear(c.green()) + 0.0722 * Linear(c.blue());
}

constexpr int kContrastStep = 4;

}  // namespace

double ContrastRatio(const QColor& a, const QColor& b) {
    const double la = Luminance(a);
    const double lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor WithContrast(const QColor& background, const QColor& text, double ratio) {
    QColor shade = background;
    const int direction = Luminance(text) > Luminance(background) ? -kContrastStep : kContrastStep;
    while (ContrastRatio(shade, text) < ratio) {
        const int r = std::clamp(shade.red() + direction, 0, 255);
        const int g = std::clamp(shade.green() + direction, 0, 255);
        const int b = std::clamp(shade.blue() + direction, 0, 255);
        if (QColor(r, g, b) == shade) {
            break;  // black or white: as far as it goes
        }
        shade = QColor(r, g, b);
    }
    return shade;
}
