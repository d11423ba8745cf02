// The extension _kelvra: the areas of Bindings.h gathered in one module, and
// the translation of a file failure into OSError.

#include "Bindings.h"

PYBIND11_MODULE(_kelvra, m) {
    m.doc() = "kelvra's reading, geolocation and analysis of AWX products";
    pybind11::register_exception_translator([](std::exception_ptr failure) {
        try {
            if (failure) {
                std::rethrow_exception(failure);
            }
        } catch (const CFileFailure& e) {
            PyErr_SetString(PyExc_OSError, e.what());
        }
    });
    BindProduct(m);
    BindConvection(m);
    BindContours(m);
    BindCatalogue(m);
    BindPictureModule(m);
}
