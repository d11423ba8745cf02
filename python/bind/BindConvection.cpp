// kelvra.cells, kelvra.tracks and kelvra.cooling: the convection core's cold
// cells, their tracks through products of one geometry and the cooling
// between two products, as columns of numpy arrays.

#include <pybind11/numpy.h>
#include <pybind11/stl.h>

#include <algorithm>
#include <limits>
#include <memory>
#include <vector>

#include "Bindings.h"
#include "convection/CellTracks.h"
#include "convection/ColdCells.h"
#include "convection/CoolingRate.h"
#include "product/CGeoImage.h"
#include "product/ObservationTime.h"

namespace py = pybind11;

namespace {

using Products = std::vector<std::shared_ptr<CGeoImage>>;

ConvectionSettings Settings(float threshold, float shield, double minArea) {
    const ConvectionSettings settings{threshold, shield, minArea};
    if (const std::string problem = ConvectionSettingsProblem(settings); !problem.empty()) {
        throw py::value_error(problem);
    }
    return settings;
}

void RefuseCells(const CGeoImage& product) {
    if (const std::string refusal = ColdCellRefusal(product); !refusal.empty()) {
        throw py::value_error(refusal);
    }
}

CPixelAreas AreasOf(const CGeoImage& product) {
    CPixelAreas areas;
    const CalibratedGrid grid = product.Calibrated();
    if (!areas.Build(product.Params(), grid.width, grid.height)) {
        throw py::value_error("产品的地理定位不能使用,不能计算云团面积");
    }
    return areas;
}

template <typename Row, typename Field>
py::array Column(const std::vector<Row>& rows, Field field) {
    using Value = decltype(field(rows.front()));
    py::array_t<Value> out(static_cast<py::ssize_t>(rows.size()));
    Value* at = out.mutable_data();
    for (const Row& row : rows) {
        *at++ = field(row);
    }
    return out;
}

py::dict CellColumns(const std::vector<ColdCell>& cells) {
    py::dict d;
    d["id"] = Column(cells, [](const ColdCell& c) { return c.id; });
    d["area_km2"] = Column(cells, [](const ColdCell& c) { return c.areaKm2; });
    d["min_k"] = Column(cells, [](const ColdCell& c) { return c.minK; });
    d["mean_k"] = Column(cells, [](const ColdCell& c) { return c.meanK; });
    d["lon"] = Column(cells, [](const ColdCell& c) { return c.lon; });
    d["lat"] = Column(cells, [](const ColdCell& c) { return c.lat; });
    d["pixels"] = Column(cells, [](const ColdCell& c) { return c.pixels; });
    d["shield_km2"] = Column(cells, [](const ColdCell& c) { return c.shieldKm2; });
    return d;
}

py::dict Cells(const CGeoImage& product, float threshold, float shield, double minArea) {
    const ConvectionSettings settings = Settings(threshold, shield, minArea);
    RefuseCells(product);
    std::vector<ColdCell> cells;
    {
        py::gil_scoped_release unlocked;
        const CPixelAreas areas = AreasOf(product);
        cells = FindColdCells(product.Calibrated(), product.Params(), areas, settings);
    }
    return CellColumns(cells);
}

// As kelvra-cli cells --track: one geometry, time order, no two frames of
// one time.
void CheckTrackFrames(Products& products) {
    for (const auto& product : products) {
        RefuseCells(*product);
        if (!SameGeometry(*products.front(), *product)) {
            throw py::value_error("各时次的投影或范围不同,不能跟踪云团");
        }
    }
    std::stable_sort(products.begin(), products.end(), [](const auto& a, const auto& b) {
        return ObservationMinutes(a->Description()) < ObservationMinutes(b->Description());
    });
    for (std::size_t i = 1; i < products.size(); ++i) {
        if (ObservationMinutes(products[i]->Description()) ==
            ObservationMinutes(products[i - 1]->Description())) {
            throw py::value_error("有两个时次的观测时间相同,不能计算移速");
        }
    }
}

py::dict StepColumns(const std::vector<TrackStep>& steps) {
    const auto moved = [](const TrackStep& s, double value) {
        return s.moved ? value : std::numeric_limits<double>::quiet_NaN();
    };
    py::dict d;
    d["frame"] = Column(steps, [](const TrackStep& s) { return s.frame + 1; });
    d["track"] = Column(steps, [](const TrackStep& s) { return s.track; });
    d["cell"] = Column(steps, [](const TrackStep& s) { return s.cell; });
    d["area_km2"] = Column(steps, [](const TrackStep& s) { return s.areaKm2; });
    d["min_k"] = Column(steps, [](const TrackStep& s) { return s.minK; });
    d["lon"] = Column(steps, [](const TrackStep& s) { return s.lon; });
    d["lat"] = Column(steps, [](const TrackStep& s) { return s.lat; });
    d["speed_kmh"] = Column(steps, [&](const TrackStep& s) { return moved(s, s.speedKmh); });
    d["dir_deg"] = Column(steps, [&](const TrackStep& s) { return moved(s, s.directionDeg); });
    d["growth_pct_h"] =
        Column(steps, [&](const TrackStep& s) { return moved(s, s.growthPctPerHour); });
    return d;
}

// The steps' columns and the frames' products in time order.
py::tuple Tracks(Products products, float threshold, float shield, double minArea) {
    const ConvectionSettings settings = Settings(threshold, shield, minArea);
    if (products.empty()) {
        throw py::value_error("no product given");
    }
    CheckTrackFrames(products);
    std::vector<TrackStep> steps;
    {
        py::gil_scoped_release unlocked;
        const CPixelAreas areas = AreasOf(*products.front());
        std::vector<TrackFrame> frames;
        for (const auto& product : products) {
            frames.push_back(
                {ObservationMinutes(product->Description()),
                 FindColdCells(product->Calibrated(), product->Params(), areas, settings)});
        }
        steps = TrackCells(frames);
    }
    return py::make_tuple(StepColumns(steps), products);
}

py::dict Cooling(const CGeoImage& first, const CGeoImage& second) {
    CCoolingMap map;
    std::string why;
    if (!map.Make(first, second, why)) {
        throw py::value_error(why);
    }
    py::array_t<float> rates({map.Height(), map.Width()});
    float* at = rates.mutable_data();
    CoolingSummary summary;
    {
        py::gil_scoped_release unlocked;
        for (int y = 0; y < map.Height(); ++y) {
            for (int x = 0; x < map.Width(); ++x) {
                *at++ = map.RateAt(x, y);
            }
        }
        summary = map.Summary();
    }
    py::dict d;
    d["rate"] = rates;
    d["hours"] = map.Hours();
    d["fast_pixels"] = summary.fastPixels;
    d["fastest_k_per_hour"] = summary.fastestKPerHour;
    return d;
}

}  // namespace

void BindConvection(py::module_& m) {
    m.def("cells", &Cells, py::arg("product"), py::arg("threshold"), py::arg("shield"),
          py::arg("min_area"));
    m.def("tracks", &Tracks, py::arg("products"), py::arg("threshold"), py::arg("shield"),
          py::arg("min_area"));
    m.def("cooling", &Cooling, py::arg("old"), py::arg("new"));
    m.def("same_geometry",
          [](const CGeoImage& a, const CGeoImage& b) { return SameGeometry(a, b); });
}
