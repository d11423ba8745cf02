// kelvra.isotherms, kelvra.read_diamond and kelvra.contours: the lines the
// isotherm layer and the NWP overlay trace, one (level, closed, xs, ys) per
// line, and a diamond file's header and prepared grid.

#include <pybind11/numpy.h>
#include <pybind11/stl.h>

#include <optional>
#include <vector>

#include "Bindings.h"
#include "analysis/CContourTracer.h"
#include "analysis/IsothermLines.h"
#include "nwp/CNwpOverlay.h"
#include "nwp/NwpLevels.h"
#include "platform/RegularFile.h"
#include "platform/TextCodec.h"
#include "product/CGeoImage.h"
#include "product/GridElements.h"

namespace py = pybind11;

namespace {

struct TracedLine {
    float level = 0.0f;
    bool closed = false;
    std::vector<float> x;
    std::vector<float> y;
};

py::list LineList(const std::vector<TracedLine>& lines) {
    py::list out;
    for (const TracedLine& line : lines) {
        out.append(py::make_tuple(line.level, line.closed,
                                  py::array_t<float>(line.x.size(), line.x.data()),
                                  py::array_t<float>(line.y.size(), line.y.data())));
    }
    return out;
}

// Splits the points of every line by the signed counts, negative for a closed
// line.
void AddLines(float level, const std::vector<int>& counts, const float* x, const float* y,
              std::vector<TracedLine>& lines) {
    std::size_t first = 0;
    for (const int count : counts) {
        const std::size_t n = static_cast<std::size_t>(count < 0 ? -count : count);
        lines.push_back({level, count < 0, std::vector<float>(x + first, x + first + n),
                         std::vector<float>(y + first, y + first + n)});
        first += n;
    }
}

py::list Isotherms(const CGeoImage& product) {
    if (!ValuesAreTemperatures(product.Description())) {
        throw py::value_error("格点产品的要素不是温度,没有等温线");
    }
    std::vector<TracedLine> lines;
    {
        py::gil_scoped_release unlocked;
        CContourTracer tracer;
        std::vector<IsothermLevel> levels;
        if (IsothermLines(tracer, product.Calibrated(), levels)) {
            for (const IsothermLevel& level : levels) {
                AddLines(level.level, level.counts, level.x.data(), level.y.data(), lines);
            }
        }
    }
    return LineList(lines);
}

void ReadOverlay(const std::string& path, CNwpOverlay& overlay) {
    DiamondError why = DiamondError::None;
    bool read = false;
    {
        py::gil_scoped_release unlocked;
        read = overlay.ReadFile(path, &why);
    }
    if (read) {
        return;
    }
    const std::string message = path + ": " + DiamondErrorText(why);
    if (why == DiamondError::CannotOpen || !IsRegularFile(path)) {
        throw CFileFailure(message);
    }
    throw py::value_error(message);
}

py::tuple ReadDiamond(const std::string& path) {
    CNwpOverlay overlay;
    ReadOverlay(path, overlay);
    const DiamondHeader& h = overlay.Header();
    const NwpGridExtent& e = overlay.Extent();
    py::dict d;
    d["description"] = GbkToUtf8(h.description);
    d["datetime"] = overlay.DateTimeText();
    d["field"] = overlay.FieldNameText();
    d["year"] = h.year;
    d["month"] = h.month;
    d["day"] = h.day;
    d["hour"] = h.hour;
    d["forecast_hours"] = h.forecastHours;
    d["level"] = h.level;
    d["nx"] = overlay.Nx();
    d["ny"] = overlay.Ny();
    d["south"] = e.southLat;
    d["north"] = e.northLat;
    d["west"] = e.firstLon;
    d["east"] = e.lastLon;
    d["dlon"] = e.columnSpacing;
    d["dlat"] = e.rowSpacing;
    d["interval"] = h.interval;
    d["first"] = h.firstValue;
    d["last"] = h.lastValue;
    const std::vector<float>& grid = overlay.Grid();
    py::array_t<float> values({overlay.Ny(), overlay.Nx()});
    std::copy(grid.begin(), grid.end(), values.mutable_data());
    return py::make_tuple(d, values);
}

// The overlay's lines in longitude/latitude, as kelvra-cli nwp --contours
// traces them (no displayed product: no polar picture to join).
py::list Contours(const std::string& path, std::optional<float> interval) {
    if (interval && !(*interval > 0.0f)) {
        throw py::value_error("interval wants a number above 0");
    }
    CNwpOverlay overlay;
    ReadOverlay(path, overlay);
    std::vector<TracedLine> lines;
    bool traced = false;
    {
        py::gil_scoped_release unlocked;
        CContourTracer tracer;
        traced = overlay.PrepareTracer(tracer, 0) == 0;
        if (traced) {
            const DiamondHeader& h = overlay.Header();
            const float step = interval ? *interval : overlay.CurrentSettings().interval;
            for (const float level : NwpContourLevels(h.firstValue, h.lastValue, step)) {
                tracer.TraceLevel(level);
                std::vector<int> counts;
                for (int k = 1; k <= tracer.LineCount(); ++k) {
                    counts.push_back(tracer.LineSize(k));
                }
                AddLines(level, counts, tracer.X(), tracer.Y(), lines);
            }
        }
    }
    if (!traced) {
        throw py::value_error(path + ": the grid cannot be traced");
    }
    return LineList(lines);
}

}  // namespace

void BindContours(py::module_& m) {
    m.def("isotherm_lines", &Isotherms, py::arg("product"));
    m.def("read_diamond", &ReadDiamond, py::arg("path"));
    m.def("diamond_contours", &Contours, py::arg("path"), py::arg("interval") = py::none());
}
