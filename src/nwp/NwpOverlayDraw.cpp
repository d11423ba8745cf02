// CNwpOverlay: drawing the contours over the displayed product.

#include <vector>

#include "analysis/CContourTracer.h"
#include "nwp/CNwpContourPainter.h"
#include "nwp/CNwpOverlay.h"
#include "nwp/NwpLevels.h"
#include "product/CGeoImage.h"

namespace {

// Values beyond these are no field values; the tracer leaves them out.
constexpr float kMaxValid = 1.0e10f;
constexpr float kMinValid = -1.0e10f;

// The tracer's signed line counts as one array, reused for every level.
NwpLines LinesOf(const CContourTracer& tracer, std::vector<int>& counts) {
    const int n = tracer.LineCount();
    counts.resize(static_cast<std::size_t>(n));
    for (int k = 0; k < n; ++k) {
        counts[static_cast<std::size_t>(k)] = tracer.LineSize(k + 1);
    }
    return NwpLines{tracer.X(), tracer.Y(), counts.data(), n};
}

}  // namespace

int CNwpOverlay::PrepareTracer(CContourTracer& tracer, int projectionCode) const {
    if (m_grid.empty()) {
        return -1;
    }
    return tracer.Prepare(
        m_grid.data(), m_header.nx, m_header.ny, static_cast<float>(m_extent.northLat),
        static_cast<float>(m_extent.firstLon), static_cast<float>(m_extent.columnSpacing),
        static_cast<float>(m_extent.rowSpacing), projectionCode, kMaxValid, kMinValid, kNwpMissing);
}

int CNwpOverlay::Draw(CCanvas& canvas, const CGeoImage& product, CNwpLabelSpace* labels) const {
    const ProjectionParams& params = product.Params();
    // A full-disk product has no geolocation to put the lines on.
    if (m_current.contoursOn == 0 || m_strPath.empty() || product.productLoaded == 0 ||
        params.type == Disk) {
        return 0;
    }
    CCanvasStateGuard guard(canvas);
    canvas.SetBkMode(kBackgroundTransparent);
    // One tracer for all levels of this overlay in this composition.
    CContourTracer tracer;
    const int code = params.type == PolarStereographic ? CContourTracer::kPolarProjectionCode : 0;
    if (PrepareTracer(tracer, code) != 0) {
        return 0;
    }
    CNwpContourPainter painter(canvas, params, DrawingSettingsOf(m_current), m_extent, labels);
    std::vector<int> counts;
    for (float level :
         NwpContourLevels(m_header.firstValue, m_header.lastValue, m_current.interval)) {
        tracer.TraceLevel(level);
        painter.DrawContourLevel(LinesOf(tracer, counts), level);
    }
    return 1;
}

int DrawNwpOverlays(CCanvas& canvas, const CGeoImage& product,
                    const std::vector<CNwpOverlay>& overlays, const CanvasBox* reserved) {
    CNwpLabelSpace labels(canvas.Width(), canvas.Height());
    if (reserved != nullptr) {
        labels.Reserve(*reserved);
    }
    int drawn = 0;
    for (const CNwpOverlay& overlay : overlays) {
        if (overlay.IsVisible() == 1) {
            drawn += overlay.Draw(canvas, product, &labels);
        }
    }
    return drawn;
}
