#pragma once
// Observation times as minutes since 1970-01-01 00:00 UTC, so that the time
// between two products is a subtraction.

#include <cstdint>

struct ProductDescription;

std::int64_t MinutesSinceEpoch(int year, int month, int day, int hour, int minute);
std::int64_t ObservationMinutes(const ProductDescription& description);
