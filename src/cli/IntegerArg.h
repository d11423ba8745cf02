#pragma once
// The one integer parser of the command line: a whole argument, in decimal,
// within the bounds its option allows. Each caller keeps its own error text.

#include <string>

// value = text when all of text is a decimal integer (an optional sign, then
// digits) from low to high; false, value untouched, for anything else.
bool ParseIntegerArg(const std::string& text, int low, int high, int& value);
