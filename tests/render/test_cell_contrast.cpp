// Cell outlines drawn by the screen's canvas over every prepared palette:
// each outline pixel stands out from the pixels around it, even on the
// palette colour nearest the outline's own.

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <cstdlib>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "convection/CellOutline.h"
#include "convection/ConvectionOverlay.h"
#include "image/PaletteFile.h"
#include "render/CQtCanvas.h"

namespace {

// Channel differences summed: below this two colours read as one.
constexpr int kClearDifference = 128;

int Difference(QRgb a, QRgb b) {
    return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
           std::abs(qBlue(a) - qBlue(b));
}

// The palette's colour closest to colour: the hardest background for it.
QRgb NearestColour(const PaletteTable& table, QRgb colour) {
    QRgb nearest = 0;
    int best = 1 << 30;
    for (const RgbQuad& c : table) {
        const QRgb candidate = qRgb(c.red, c.green, c.blue);
        if (Difference(candidate, colour) < best) {
            best = Difference(candidate, colour);
            nearest = candidate;
        }
    }
    return nearest;
}

// A rectangular cell wide enough to hold its label inside.
ColdCell RectangleCell(float minK) {
    ColdCell cell;
    cell.id = 1;
    cell.minK = minK;
    cell.areaKm2 = 1000.0;
    for (int y = 10; y < 50; ++y) {
        cell.runs.push_back(CellRun{y, 10, 130});
    }
    cell.x = 24;
    cell.y = 30;
    return cell;
}

}  // namespace

TEST(CellContrastTest, OutlinesStandOutOnEveryPalette) {
    for (const char* name : {"gray1.lut", "gray2.lut", "gray3.lut", "grayv.lut", "color1.lut",
                             "color2.lut", "color3.lut", "colorv.lut"}) {
        const std::optional<PaletteTable> table =
            ReadPaletteFile(std::string(KELVRA_SOURCE_DIR) + "/dat/" + name);
        ASSERT_TRUE(table) << name;
        for (float minK : {220.0f, 210.0f, 200.0f, 190.0f}) {
            const QRgb outlineColour = ToQColor(CellColour(minK)).rgb();
            QImage picture(140, 60, QImage::Format_RGB32);
            picture.fill(NearestColour(*table, outlineColour));
            const ColdCell cell = RectangleCell(minK);
            {
                QPainter painter(&picture);
                CQtCanvas canvas(painter);
                DrawCells(canvas, {cell});
            }
            std::set<std::pair<int, int>> outline;
            for (const CellPixel& p : CellOutline(cell)) {
                outline.insert({p.x, p.y});
            }
            for (const auto& [x, y] : outline) {
                ASSERT_EQ(picture.pixel(x, y), outlineColour) << name << " " << minK;
                for (int dy = -1; dy <= 1; ++dy) {
                    for (int dx = -1; dx <= 1; ++dx) {
                        if (outline.contains({x + dx, y + dy})) {
                            continue;
                        }
                        ASSERT_GE(Difference(outlineColour, picture.pixel(x + dx, y + dy)),
                                  kClearDifference)
                            << name << " " << minK << " at " << x + dx << "," << y + dy;
                    }
                }
            }
        }
    }
}
