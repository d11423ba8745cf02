#include "analysis/PrecipDrawing.h"

#include <algorithm>

#include "analysis/CPrecipEstimate.h"
#include "analysis/PrecipLegend.h"
#include "platform/Canvas.h"

namespace {

constexpr std::uint32_t kWhite = CanvasRgb(255, 255, 255);
constexpr std::uint32_t kBlack = CanvasRgb(0, 0, 0);
// The legend's white box: up to 230 pixels of the image's width plus 30,
// the bottom 60 rows.
constexpr int kLegendHeight = kPrecipLegendHeight;
constexpr int kLegendWidestImage = 230;
constexpr int kLegendMargin = 30;
// Boxes from 50 to 20 rows above the bottom, labels 15 rows above it.
constexpr int kBoxTopAbove = 50;
constexpr int kBoxBottomAbove = 20;
constexpr int kLabelAbove = 15;

void DrawLegend(CCanvas& canvas, int width, int height) {
    canvas.FillRect(0, height - kLegendHeight, std::min(width, kLegendWidestImage) + kLegendMargin,
                    height, kWhite);
    CanvasFont font;
    font.height = 12;
    font.weight = 700;
    font.escapement = 0;
    font.face = "宋体";
    canvas.SelectFont(font);
    canvas.SetTextColor(kBlack);
    for (const PrecipClass& c : kPrecipClasses) {
        canvas.TextOut(c.labelX, height - kLabelAbove, c.label);
        canvas.FillRect(c.boxLeft, height - kBoxTopAbove, c.boxRight, height - kBoxBottomAbove,
                        c.boxColour);
    }
}

void DrawRainPixels(CCanvas& canvas, const CPrecipEstimate& estimate) {
    for (const PrecipPixel& p : estimate.Pixels()) {
        canvas.SetPixel(p.x, p.y, kPrecipClasses[PrecipClassOf(p.amount)].pixelColour);
    }
}

}  // namespace

void DrawPrecipitation(CCanvas& canvas, const CPrecipEstimate& estimate, int imageWidth,
                       int imageHeight) {
    if (estimate.Empty()) {
        return;
    }
    CCanvasStateGuard guard(canvas);
    canvas.SetBkMode(kBackgroundTransparent);
    DrawRainPixels(canvas, estimate);
    DrawLegend(canvas, imageWidth, imageHeight);
}

void DrawPrecipitationPixels(CCanvas& canvas, const CPrecipEstimate& estimate) {
    if (estimate.Empty()) {
        return;
    }
    CCanvasStateGuard guard(canvas);
    canvas.SetBkMode(kBackgroundTransparent);
    DrawRainPixels(canvas, estimate);
}

void DrawPrecipitationLegend(CCanvas& canvas, const CPrecipEstimate& estimate, int imageWidth,
                             int imageHeight) {
    if (estimate.Empty()) {
        return;
    }
    CCanvasStateGuard guard(canvas);
    canvas.SetBkMode(kBackgroundTransparent);
    DrawLegend(canvas, imageWidth, imageHeight);
}
