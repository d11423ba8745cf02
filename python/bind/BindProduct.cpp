// kelvra.open's product: CGeoImage read from a file, its header as a dict,
// its counts as a numpy view of the product's own memory, the calibrated
// values and the geolocation of every pixel as new arrays.

#include <pybind11/numpy.h>
#include <pybind11/stl.h>

#include <cmath>
#include <limits>
#include <memory>

#include "Bindings.h"
#include "platform/RegularFile.h"
#include "platform/TextCodec.h"
#include "product/AwxHeaders.h"
#include "product/CGeoImage.h"
#include "product/ObservationTime.h"
#include "product/ProductReadFailure.h"

namespace py = pybind11;

namespace {

constexpr double kNan = std::numeric_limits<double>::quiet_NaN();

std::shared_ptr<CGeoImage> ReadProductFile(const std::string& path) {
    auto product = std::make_shared<CGeoImage>();
    bool read = false;
    {
        py::gil_scoped_release unlocked;
        read = product->ReadProduct(path);
    }
    if (read) {
        return product;
    }
    const std::string message = ProductReadFailure(product->ReadRefusal()) + ": " + path;
    if (!IsRegularFile(path)) {
        throw CFileFailure(message);
    }
    throw py::value_error(message);
}

py::dict GridHeader(const GridDescription& g) {
    py::dict d;
    d["element"] = g.element;
    d["bytes_per_value"] = g.bytesPerValue;
    d["base_value"] = g.baseValue;
    d["scale_factor"] = g.scaleFactor;
    d["time_range"] = g.timeRange;
    d["end"] = py::make_tuple(g.endYear, g.endMonth, g.endDay, g.endHour, g.endMinute);
    d["top_lat"] = g.topLat;
    d["left_lon"] = g.leftLon;
    d["bottom_lat"] = g.bottomLat;
    d["right_lon"] = g.rightLon;
    d["display_low"] = g.displayLow;
    d["display_high"] = g.displayHigh;
    return d;
}

py::dict Header(const CGeoImage& product) {
    const ProductDescription& p = product.Description();
    py::dict d;
    d["file_id"] = p.fileId;
    d["version"] = p.version;
    d["satellite"] = GbkToUtf8(p.satelliteName);
    d["data_type"] = p.dataType;
    d["channel"] = p.channel;
    d["year"] = p.year;
    d["month"] = p.month;
    d["day"] = p.day;
    d["hour"] = p.hour;
    d["minute"] = p.minute;
    d["projection"] = p.projection;
    d["projection_name"] = ProjectionName(p.projection);
    d["width"] = p.width;
    d["height"] = p.height;
    d["center_lat"] = p.centerLat;
    d["center_lon"] = p.centerLon;
    d["horizontal_resolution"] = p.horizontalResolution;
    d["vertical_resolution"] = p.verticalResolution;
    d["std_lat1"] = p.stdLat1;
    d["std_lat2"] = p.stdLat2;
    d["std_lon"] = p.stdLon;
    d["resolution_from_edges"] = p.resolutionFromEdges;
    d["category"] = p.category;
    if (p.IsGrid()) {
        d["grid"] = GridHeader(p.grid);
    }
    return d;
}

py::object Counts(const py::object& self) {
    const CGeoImage& product = self.cast<const CGeoImage&>();
    const CalibratedGrid grid = product.Calibrated();
    if (grid.Empty()) {
        return py::array_t<std::uint8_t>(std::vector<py::ssize_t>{0, 0});
    }
    py::array_t<std::uint8_t> view(
        {static_cast<py::ssize_t>(grid.height), static_cast<py::ssize_t>(grid.width)},
        {static_cast<py::ssize_t>(grid.rowStride), py::ssize_t{1}}, grid.topRow, self);
    view.attr("flags").attr("writeable") = false;
    return view;
}

// A count whose table entry is 0 has no calibrated value: the table is
// absent or does not reach it. A grid product's exact values are all kept.
void FillValues(const CalibratedGrid& grid, float* values) {
    for (int y = 0; y < grid.height; ++y) {
        float* row = values + static_cast<std::ptrdiff_t>(grid.width) * y;
        grid.Row(y, row);
        if (grid.values != nullptr) {
            continue;
        }
        const std::uint8_t* counts = grid.CountsRow(y);
        for (int x = 0; x < grid.width; ++x) {
            if (grid.table[counts[x]] == 0.0f) {
                row[x] = std::numeric_limits<float>::quiet_NaN();
            }
        }
    }
}

py::array_t<float> Values(const CGeoImage& product) {
    const CalibratedGrid grid = product.Calibrated();
    py::array_t<float> out(
        {static_cast<py::ssize_t>(grid.height), static_cast<py::ssize_t>(grid.width)});
    float* values = out.mutable_data();
    {
        py::gil_scoped_release unlocked;
        FillValues(grid, values);
    }
    return out;
}

py::tuple LonLat(const CGeoImage& product) {
    const int width = product.Description().width;
    const int height = product.Description().height;
    py::array_t<double> lon({height, width});
    py::array_t<double> lat({height, width});
    double* lons = lon.mutable_data();
    double* lats = lat.mutable_data();
    {
        py::gil_scoped_release unlocked;
        std::size_t at = 0;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x, ++at) {
                float a = 0.0f;
                float b = 0.0f;
                const bool found = CGeoImage::PixelToLatLon(product.Params(), x, y, a, b) == 0;
                lons[at] = found ? a : kNan;
                lats[at] = found ? b : kNan;
            }
        }
    }
    return py::make_tuple(lon, lat);
}

// The positions of image points, NaN where a point has none.
using Doubles = py::array_t<double, py::array::c_style | py::array::forcecast>;

py::tuple LocatePoints(const CGeoImage& product, const Doubles& xs, const Doubles& ys) {
    if (xs.size() != ys.size()) {
        throw py::value_error("x and y differ in length");
    }
    py::array_t<double> lon(xs.size());
    py::array_t<double> lat(xs.size());
    double* lons = lon.mutable_data();
    double* lats = lat.mutable_data();
    const double* x = xs.data();
    const double* y = ys.data();
    const py::ssize_t count = xs.size();
    {
        py::gil_scoped_release unlocked;
        for (py::ssize_t k = 0; k < count; ++k) {
            float a = 0.0f;
            float b = 0.0f;
            const bool found = CGeoImage::PixelToLatLon(product.Params(), x[k], y[k], a, b) == 0;
            lons[k] = found ? a : kNan;
            lats[k] = found ? b : kNan;
        }
    }
    return py::make_tuple(lon, lat);
}

py::tuple Locate(const CGeoImage& product, double x, double y) {
    float lon = 0.0f;
    float lat = 0.0f;
    if (CGeoImage::PixelToLatLon(product.Params(), x, y, lon, lat) != 0) {
        throw py::value_error("the pixel has no geolocation");
    }
    return py::make_tuple(static_cast<double>(lon), static_cast<double>(lat));
}

// The transform leaves x, y alone when it fails without output; NaN tells
// that apart from a point on the other hemisphere.
py::tuple Pixel(const CGeoImage& product, double lon, double lat) {
    double x = kNan;
    double y = kNan;
    const int rc = CGeoImage::LatLonToPixel(product.Params(), lon, lat, x, y);
    if (std::isnan(x) || std::isnan(y)) {
        throw py::value_error("the position cannot be placed on this product");
    }
    if (rc != 0) {
        throw py::value_error("the position lies on the other hemisphere");
    }
    return py::make_tuple(x, y);
}

py::object ObservedMinutes(const CGeoImage& product) {
    const std::int64_t minutes = ObservationMinutes(product.Description());
    if (minutes == kUnknownObservation) {
        return py::none();
    }
    return py::int_(minutes);
}

py::dict Extent(const CGeoImage& product) {
    const ProjectionParams& p = product.Params();
    py::dict d;
    d["west"] = p.westLon;
    d["east"] = p.eastLon;
    d["south"] = p.southLat;
    d["north"] = p.northLat;
    return d;
}

}  // namespace

void BindProduct(py::module_& m) {
    py::class_<CGeoImage, std::shared_ptr<CGeoImage>>(m, "Product")
        .def_property_readonly("header", &Header)
        .def_property_readonly("counts", &Counts)
        .def_property_readonly("extent", &Extent)
        .def_property_readonly("observed_minutes", &ObservedMinutes)
        .def("values", &Values)
        .def("lonlat", &LonLat)
        .def("locate_points", &LocatePoints)
        .def("locate", &Locate)
        .def("pixel", &Pixel);
    m.def("read_product", &ReadProductFile, py::arg("path"));
}
