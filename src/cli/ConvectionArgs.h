#pragma once
// What the convection verbs share: reading the products they work on, with
// the refusals a forecaster sees, and their options.

#include <string>
#include <vector>

#include "cli/CliVerbs.h"
#include "convection/ConvectionSettings.h"
#include "product/CGeoImage.h"

// Reads a product for cells or cooling; false after printing why (the read
// failed, or the product cannot have cells when cellsAsked).
bool ReadConvectionProduct(const std::string& path, bool cellsAsked, CGeoImage& product);
// Parses a number option's value; false when it is not a number.
bool ParseNumberArg(const std::string& text, double& value);
