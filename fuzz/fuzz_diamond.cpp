// Diamond files of any content, read from a file as the overlay reads them,
// then smoothed, traced and drawn on a polar picture: a refused file leaves
// nothing behind, an accepted one holds exactly its rows of stored columns,
// and drawing never leaves the picture with a label anchor or a line.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "FuzzInputFile.h"

#include "analysis/CContourTracer.h"
#include "nwp/CNwpContourPainter.h"
#include "nwp/DiamondFile.h"
#include "nwp/DiamondGrid.h"
#include "nwp/NwpLevels.h"
#include "product/CGeoImage.h"

namespace {

// Checks every stroke against the picture instead of drawing it.
class CBoundsCanvas : public CCanvas {
public:
    CBoundsCanvas(int width, int height) : m_nWidth(width), m_nHeight(height) {}
    int Width() const override { return m_nWidth; }
    int Height() const override { return m_nHeight; }
    CanvasPen SelectPen(const CanvasPen& pen) override { return Swap(m_pen, pen); }
    CanvasFont SelectFont(const CanvasFont& font) override { return Swap(m_font, font); }
    std::uint32_t SetTextColor(std::uint32_t colour) override { return Swap(m_colour, colour); }
    int SetBkMode(int mode) override { return Swap(m_nMode, mode); }
    void MoveTo(int x, int y) override { Check(x, y); }
    void LineTo(int x, int y) override { Check(x, y); }
    void TextOut(int, int, const std::string& text) override {
        if (text.size() > 16) {
            std::abort();  // a label is at most a "%10.5f" number
        }
    }
    CanvasSize TextExtent(const std::string& text) override {
        return CanvasSize{8 * static_cast<int>(text.size()), 16};
    }
    void SetPixel(int, int, std::uint32_t) override {}
    void FillRect(int, int, int, int, std::uint32_t) override {}

private:
    template <typename T>
    static T Swap(T& held, const T& next) {
        T previous = held;
        held = next;
        return previous;
    }
    void Check(int x, int y) const {
        if (x <= 0 || y <= 0 || x >= m_nWidth - 1 || y >= m_nHeight - 1) {
            std::abort();
        }
    }
    int m_nWidth;
    int m_nHeight;
    CanvasPen m_pen;
    CanvasFont m_font;
    std::uint32_t m_colour = 0;
    int m_nMode = kBackgroundOpaque;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Read from a file as the overlay reads it: the same bytes, or refused.
    const std::string& path = FuzzInputFile(data, size);
    std::string bytes;
    const DiamondError read = path.empty()
                                  ? DiamondError::CannotOpen
                                  : ReadDiamondBytes(path, kMaxDiamondFileBytes, false, bytes);
    if (read == DiamondError::None
            ? bytes.size() != size || std::memcmp(bytes.data(), data, size) != 0
            : read != DiamondError::TooShort || size >= kMinDiamondBytes) {
        std::abort();
    }
    DiamondGrid grid;
    const DiamondError error = ParseDiamondText(reinterpret_cast<const char*>(data), size, grid);
    if (error != DiamondError::None) {
        if (!grid.values.empty()) {
            std::abort();
        }
        return 0;
    }
    const DiamondHeader& h = grid.header;
    if (h.nx < 2 || h.ny < 2 || grid.values.size() != static_cast<std::size_t>(h.nx) * h.ny ||
        grid.pointsRead > static_cast<std::size_t>(grid.fileColumns) * h.ny ||
        static_cast<std::size_t>(grid.fileColumns) * h.ny > size / 2) {
        std::abort();
    }
    // Either the description split in two behind its century, or the whole
    // description as the field beside the header's own date and time.
    DescriptionParts parts = SplitDescription(h);
    if (parts.dateTime.size() + parts.fieldName.size() > h.description.size() + 3 &&
        parts.fieldName != h.description) {
        std::abort();
    }
    if (!SmoothDiamondGrid(grid)) {
        return 0;
    }
    ProjectionParams params;
    if (CGeoImage::SetUpProjection(PolarStereographic, 100.0, 60.0, 20.0, 400, 300, 60.0, 60.0,
                                   params) != 0) {
        std::abort();
    }
    CContourTracer tracer;
    if (tracer.Prepare(grid.values.data(), h.nx, h.ny, static_cast<float>(grid.northLat),
                       static_cast<float>(grid.firstLon), static_cast<float>(grid.columnSpacing),
                       static_cast<float>(grid.rowSpacing), CContourTracer::kPolarProjectionCode,
                       1.0e10f, -1.0e10f, kNwpMissing) != 0) {
        return 0;
    }
    const NwpGridExtent extent{grid.southLat, grid.northLat,   grid.firstLon,
                               grid.lastLon,  grid.rowSpacing, grid.columnSpacing};
    CBoundsCanvas canvas(params.width, params.height);
    NwpSettings settings;
    settings.labelDecimals = static_cast<int>(size % 9) - 5;
    CNwpContourPainter painter(canvas, params, DrawingSettingsOf(settings), extent);
    const std::vector<float> levels = NwpContourLevels(h.firstValue, h.lastValue, h.interval);
    std::vector<int> counts;
    for (std::size_t n = 0; n < levels.size() && n < 3; ++n) {
        tracer.TraceLevel(levels[n]);
        counts.clear();
        for (int k = 1; k <= tracer.LineCount(); ++k) {
            counts.push_back(tracer.LineSize(k));
        }
        painter.DrawContourLevel(
            NwpLines{tracer.X(), tracer.Y(), counts.data(), tracer.LineCount()}, levels[n]);
    }
    return 0;
}
