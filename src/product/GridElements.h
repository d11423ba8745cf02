#pragma once
// The elements a grid product carries, by the element code of its header:
// name, unit, the range its picture is scaled over and which way.

#include <string>

struct GridElement {
    int code = 0;
    std::string name;  // UTF-8
    std::string unit;  // UTF-8; empty for a number without unit
    // The display range: values at or beyond its ends take the end counts.
    float low = 0.0f;
    float high = 0.0f;
    // Temperature-like elements show cold (or high-cloud) values bright, as an
    // infrared picture does.
    bool coldBright = false;
    // Values in kelvin: isotherms and cold-cloud cells apply.
    bool temperature = false;
};

// The element of a code; codes outside the table get the name "要素 N", no
// unit and an empty range (low == high), which the reader replaces by the
// values' own range.
GridElement GridElementOf(int code);

struct ProductDescription;

// Whether a product's values are brightness or other temperatures in
// kelvin, which isotherms and cold-cloud cells read: every image product
// (its channel decides the rest) and the grid products of temperature
// elements.
bool ValuesAreTemperatures(const ProductDescription& description);
