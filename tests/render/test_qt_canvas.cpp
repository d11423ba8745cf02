#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <set>

#include "render/CQtCanvas.h"

namespace {

constexpr QRgb kBlack = 0xFF000000u;

QImage BlackPicture(int width, int height) {
    QImage picture(width, height, QImage::Format_RGB32);
    picture.fill(kBlack);
    return picture;
}

struct Box {
    int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
    int count = 0;
};

// The bounding box of the pixels of one colour.
Box PixelsOf(const QImage& picture, QRgb colour) {
    Box box;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            if (picture.pixel(x, y) == colour) {
                box.left = std::min(box.left, x);
                box.top = std::min(box.top, y);
                box.right = std::max(box.right, x);
                box.bottom = std::max(box.bottom, y);
                ++box.count;
            }
        }
    }
    return box;
}

TEST(QtCanvasTest, LineToLeavesOutItsEndPoint) {
    QImage picture = BlackPicture(12, 4);
    {
        QPainter painter(&picture);
        CQtCanvas canvas(painter);
        canvas.SelectPen(CanvasPen{kPenSolid, 1, CanvasRgb(255, 0, 0)});
        canvas.MoveTo(1, 1);
        canvas.LineTo(5, 1);
        canvas.LineTo(5, 3);
    }
    const QRgb red = qRgb(255, 0, 0);
    for (int x = 0; x < 12; ++x) {
        EXPECT_EQ(picture.pixel(x, 1) == red, x >= 1 && x <= 5) << x;
    }
    EXPECT_EQ(picture.pixel(5, 2), red);
    EXPECT_EQ(picture.pixel(5, 3), kBlack);  // the last end point
    EXPECT_EQ(PixelsOf(picture, red).count, 6);
}

TEST(QtCanvasTest, EveryDirectionKeepsItsStartAndLeavesOutItsEnd) {
    const int steps[][2] = {{4, 0},   {-4, 0}, {0, 4},  {0, -4}, {4, 4},
                            {-4, -4}, {4, -4}, {-4, 4}, {4, 2},  {-2, -4}};
    const QRgb white = qRgb(255, 255, 255);
    for (const auto& step : steps) {
        QImage picture = BlackPicture(11, 11);
        {
            QPainter painter(&picture);
            CQtCanvas canvas(painter);
            canvas.SelectPen(CanvasPen{kPenSolid, 1, CanvasRgb(255, 255, 255)});
            canvas.MoveTo(5, 5);
            canvas.LineTo(5 + step[0], 5 + step[1]);
        }
        EXPECT_EQ(picture.pixel(5, 5), white) << step[0] << "," << step[1];
        EXPECT_EQ(picture.pixel(5 + step[0], 5 + step[1]), kBlack) << step[0] << "," << step[1];
        EXPECT_EQ(PixelsOf(picture, white).count, std::max(std::abs(step[0]), std::abs(step[1])));
    }
}

TEST(QtCanvasTest, LinesFromFarOutsideArriveOnTheirCourse) {
    QImage picture = BlackPicture(20, 20);
    {
        QPainter painter(&picture);
        CQtCanvas canvas(painter);
        canvas.SelectPen(CanvasPen{kPenSolid, 1, CanvasRgb(255, 0, 0)});
        canvas.MoveTo(-5000, 10);
        canvas.LineTo(10, 10);
        canvas.LineTo(10, 30000);
    }
    const Box line = PixelsOf(picture, qRgb(255, 0, 0));
    EXPECT_EQ(line.count, 10 + 10);
    EXPECT_EQ(line.left, 0);
    EXPECT_EQ(line.bottom, 19);
}

TEST(QtCanvasTest, LinesAreNotAntialiased) {
    QImage picture = BlackPicture(40, 40);
    {
        QPainter painter(&picture);
        CQtCanvas canvas(painter);
        canvas.SelectPen(CanvasPen{kPenSolid, 1, CanvasRgb(0, 0, 255)});
        canvas.MoveTo(2, 3);
        canvas.LineTo(37, 29);
    }
    std::set<QRgb> colours;
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 40; ++x) {
            colours.insert(picture.pixel(x, y));
        }
    }
    EXPECT_EQ(colours, (std::set<QRgb>{kBlack, qRgb(0, 0, 255)}));
}

TEST(QtCanvasTest, DashPatternRunsOnAcrossShortSteps) {
    QImage picture = BlackPicture(120, 3);
    {
        QPainter painter(&picture);
        CQtCanvas canvas(painter);
        canvas.SetBkMode(kBackgroundTransparent);
        canvas.SelectPen(CanvasPen{kPenDash, 1, CanvasRgb(255, 255, 128)});
        canvas.MoveTo(0, 1);
        for (int x = 2; x <= 110; x += 2) {
            canvas.LineTo(x, 1);  // steps of two pixels, as grid lines are made
        }
    }
    const Box dashes = PixelsOf(picture, qRgb(255, 255, 128));
    EXPECT_GT(dashes.count, 40);
    EXPECT_LT(dashes.count, 100);  // the gaps show
}

TEST(QtCanvasTest, OpaqueModeFillsDashGapsWithTheBackground) {
    QImage picture = BlackPicture(60, 3);
    {
        QPainter painter(&picture);
        CQtCanvas canvas(painter);
        canvas.SelectPen(CanvasPen{kPenDot, 1, CanvasRgb(255, 0, 0)});
        canvas.MoveTo(0, 1);
        canvas.LineTo(50, 1);
    }
    EXPECT_GT(PixelsOf(picture, qRgb(255, 255, 255)).count, 0);
    EXPECT_GT(PixelsOf(picture, qRgb(255, 0, 0)).count, 0);
}

TEST(QtCanvasTest, TextTopLeftIsItsPosition) {
    QImage picture = BlackPicture(200, 60);
    {
        QPainter painter(&picture);
        CQtCanvas canvas(painter);
        canvas.SetBkMode(kBackgroundTransparent);
        canvas.SetTextColor(CanvasRgb(232, 64, 64));
        canvas.SelectFont(CanvasFont{16, 600, 0, "Arial"});
        canvas.TextOut(6, 6, "S1 R1 红外一");
    }
    const Box text = PixelsOf(picture, qRgb(232, 64, 64));
    ASSERT_GT(text.count, 0);
    EXPECT_GE(text.left, 6);
    EXPECT_LE(text.left, 9);
    EXPECT_GE(text.top, 6);
    EXPECT_LE(text.bottom, 6 + 16);
    // Transparent: everything else is untouched.
    EXPECT_EQ(PixelsOf(picture, kBlack).count + text.count, 200 * 60);
}

TEST(QtCanvasTest, OpaqueTextPaintsItsBackground) {
    QImage picture = BlackPicture(100, 40);
    {
        QPainter painter(&picture);
        CQtCanvas canvas(painter);
        canvas.SetTextColor(CanvasRgb(255, 0, 0));
        canvas.TextOut(4, 4, "ABC");
    }
    EXPECT_GT(PixelsOf(picture, qRgb(255, 255, 255)).count, 0);
}

TEST(QtCanvasTest, EscapementTurnsTextCounterClockwiseAboutItsCorner) {
    QImage picture = BlackPicture(80, 200);
    {
        QPainter painter(&picture);
        CQtCanvas canvas(painter);
        canvas.SetBkMode(kBackgroundTransparent);
        canvas.SetTextColor(CanvasRgb(0, 255, 0));
        canvas.SelectFont(CanvasFont{16, 400, 900, "Arial"});
        canvas.TextOut(20, 150, "HELLO");
    }
    const Box text = PixelsOf(picture, qRgb(0, 255, 0));
    ASSERT_GT(text.count, 0);
    // Turned by 90 degrees the line runs upwards from (20, 150), its glyphs
    // to the right of x = 20.
    EXPECT_LE(text.bottom, 150);
    EXPECT_LT(text.top, 120);
    EXPECT_GE(text.left, 20);
    EXPECT_LE(text.right, 20 + 16);
}

TEST(QtCanvasTest, PixelsAndFills) {
    QImage picture = BlackPicture(10, 10);
    {
        QPainter painter(&picture);
        CQtCanvas canvas(painter);
        canvas.FillRect(2, 3, 5, 6, CanvasRgb(10, 20, 30));
        canvas.SetPixel(8, 8, CanvasRgb(1, 2, 3));
        canvas.FillRect(5, 5, 5, 9, CanvasRgb(9, 9, 9));  // empty
    }
    const Box fill = PixelsOf(picture, qRgb(10, 20, 30));
    EXPECT_EQ(fill.count, 9);
    EXPECT_EQ(fill.left, 2);
    EXPECT_EQ(fill.bottom, 5);
    EXPECT_EQ(picture.pixel(8, 8), qRgb(1, 2, 3));
    EXPECT_EQ(PixelsOf(picture, qRgb(9, 9, 9)).count, 0);
}

TEST(QtCanvasTest, SelectionsReturnWhatWasInForce) {
    QImage picture = BlackPicture(10, 10);
    QPainter painter(&picture);
    CQtCanvas canvas(painter);
    EXPECT_EQ(canvas.SelectPen(CanvasPen{kPenDash, 1, 7}), CanvasPen{});
    EXPECT_EQ(canvas.SelectPen(CanvasPen{}), (CanvasPen{kPenDash, 1, 7}));
    EXPECT_EQ(canvas.SetBkMode(kBackgroundTransparent), kBackgroundOpaque);
    EXPECT_EQ(canvas.SetTextColor(5), 0u);
    EXPECT_EQ(canvas.SelectFont(CanvasFont{20, 700, 0, "Arial"}), CanvasFont{});
    EXPECT_EQ(canvas.Width(), 10);
    EXPECT_EQ(canvas.Height(), 10);
    EXPECT_GT(canvas.TextExtent("ABC").cx, 0);
    EXPECT_EQ(canvas.TextExtent("ABC").cy,
              QFontMetrics(ToQFont(CanvasFont{20, 700, 0, "Arial"})).height());
}

}  // namespace
