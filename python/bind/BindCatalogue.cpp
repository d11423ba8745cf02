// The catalogue listing kelvra-cli list prints, for the archive runner: the
// accepted products of a folder (and its subfolders) in observation-time
// order, with their times.

#include <pybind11/stl.h>

#include <algorithm>
#include <filesystem>
#include <optional>

#include "Bindings.h"
#include "browse/CCatalogue.h"
#include "product/ObservationTime.h"

namespace py = pybind11;

namespace {

std::int64_t RowMinutes(const CatalogueRow& row) {
    const AwxSecondHeader& h = row.summary.second;
    return ObservationMinutes(h.year, h.month, h.day, h.hour, h.minute);
}

// (path, minutes or None) per product, observation-time order; rows of one
// time keep the listing's order, as kelvra-cli list prints them.
py::list ListProducts(const std::string& folder, int channel, std::optional<std::int64_t> from,
                      std::optional<std::int64_t> to, bool recursive, const std::string& code) {
    std::error_code ec;
    if (!std::filesystem::is_directory(folder, ec)) {
        throw CFileFailure("not a folder that can be read: " + folder);
    }
    CatalogueQuery query;
    query.folder = folder;
    query.code = code;
    query.channel = channel;
    query.recursive = recursive;
    query.from = from;
    query.to = to;
    std::vector<CatalogueRow> rows;
    {
        py::gil_scoped_release unlocked;
        CCatalogue catalogue;
        rows = catalogue.List(query).rows;
        std::stable_sort(rows.begin(), rows.end(), [](const auto& a, const auto& b) {
            return RowMinutes(a) < RowMinutes(b);
        });
    }
    py::list out;
    for (const CatalogueRow& row : rows) {
        const std::int64_t minutes = RowMinutes(row);
        out.append(py::make_tuple(row.path, minutes == kUnknownObservation
                                                ? py::object(py::none())
                                                : py::object(py::int_(minutes))));
    }
    return out;
}

std::optional<std::int64_t> Minutes(int year, int month, int day, int hour, int minute) {
    const std::int64_t minutes = ObservationMinutes(year, month, day, hour, minute);
    if (minutes == kUnknownObservation) {
        return std::nullopt;
    }
    return minutes;
}

}  // namespace

void BindCatalogue(py::module_& m) {
    m.def("list_products", &ListProducts, py::arg("folder"), py::arg("channel") = 0,
          py::arg("start") = py::none(), py::arg("end") = py::none(), py::arg("recursive") = true,
          py::arg("code") = "");
    m.def("observation_minutes", &Minutes);
}
