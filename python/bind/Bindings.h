#pragma once
// The parts of the extension _kelvra, one per exposed area, each converting
// the core's types to numpy arrays and Python values and back. Heavy calls
// run with the GIL released; failures become OSError (the file cannot be
// read) or ValueError (its content or the arguments are refused), carrying
// the system's own message.

#include <pybind11/pybind11.h>

#include <stdexcept>
#include <string>

// A file that cannot be opened or read: raised as OSError.
class CFileFailure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

void BindProduct(pybind11::module_& m);
void BindConvection(pybind11::module_& m);
void BindContours(pybind11::module_& m);
void BindCatalogue(pybind11::module_& m);
void BindPictureModule(pybind11::module_& m);
