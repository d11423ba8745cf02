// The isotherm lines of a product drawn onto the composition's canvas. The
// quiet tracer lives for one drawing only: its buffers are released at the
// end of every drawing anyway, and a local instance keeps copies of the
// product cheap.

#include <cstddef>

#include "analysis/CContourTracer.h"
#include "analysis/IsothermColours.h"
#include "analysis/IsothermLines.h"
#include "analysis/IsothermOverlay.h"
#include "platform/Canvas.h"

namespace {

// Moves to the first point and draws through the rest; pixel coordinates are
// truncated toward zero. A line of one point draws nothing.
void DrawLevel(CCanvas& canvas, const IsothermLevel& level) {
    std::size_t first = 0;
    for (int count : level.counts) {
        const std::size_t n = static_cast<std::size_t>(count < 0 ? -count : count);
        if (n > 1) {
            canvas.MoveTo(static_cast<int>(level.x[first]), static_cast<int>(level.y[first]));
            for (std::size_t k = first + 1; k < first + n; ++k) {
                canvas.LineTo(static_cast<int>(level.x[k]), static_cast<int>(level.y[k]));
            }
        }
        first += n;
    }
}

void DrawLevels(CCanvas& canvas, const std::vector<IsothermLevel>& levels) {
    CCanvasStateGuard guard(canvas);
    canvas.SetBkMode(kBackgroundTransparent);
    for (const IsothermLevel& level : levels) {
        canvas.SelectPen(CanvasPen{kPenSolid, 1, kIsothermColours[level.colourIndex]});
        DrawLevel(canvas, level);
    }
}

}  // namespace

int DrawIsotherms(CCanvas& canvas, int width, int height, const float* values) {
    if (values == nullptr) {
        return 0;
    }
    CContourTracer tracer;
    std::vector<IsothermLevel> levels;
    if (!IsothermLines(tracer, width, height, values, levels)) {
        return 0;
    }
    DrawLevels(canvas, levels);
    return 1;
}

int DrawIsotherms(CCanvas& canvas, const CalibratedGrid& values) {
    CContourTracer tracer;
    std::vector<IsothermLevel> levels;
    if (values.Empty() || !IsothermLines(tracer, values, levels)) {
        return 0;
    }
    DrawLevels(canvas, levels);
    return 1;
}
