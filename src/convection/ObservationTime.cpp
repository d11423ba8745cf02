#include "convection/ObservationTime.h"

#include "product/ProductDescription.h"

namespace {

// Days from 1970-01-01 of a proleptic Gregorian date (the civil-from-days
// inverse of Howard Hinnant's date algorithms).
std::int64_t DaysFromCivil(std::int64_t y, int m, int d) {
    y -= m <= 2 ? 1 : 0;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yoe = y - era * 400;
    const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

}  // namespace

std::int64_t MinutesSinceEpoch(int year, int month, int day, int hour, int minute) {
    return (DaysFromCivil(year, month, day) * 24 + hour) * 60 + minute;
}

std::int64_t ObservationMinutes(const ProductDescription& description) {
    return MinutesSinceEpoch(description.year, description.month, description.day, description.hour,
                             description.minute);
}
