#include "product/ObservationTime.h"

#include <cstdio>

#include "product/ProductDescription.h"

namespace {

constexpr std::int64_t kMinutesPerDay = 24 * 60;
constexpr std::int64_t kDaysPerEra = 146097;  // 400 Gregorian years

struct CivilTime {
    int year;
    int month;
    int day;
    int hour;
    int minute;
};

// Days since 1970-01-01 of a proleptic Gregorian date (eras of 400 years,
// years counted from March so the leap day ends the year).
std::int64_t DaysFromCivil(int year, int month, int day) {
    const std::int64_t y = year - (month <= 2 ? 1 : 0);
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yearOfEra = y - era * 400;
    const std::int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * kDaysPerEra + dayOfEra - 719468;
}

CivilTime CivilFromMinutes(std::int64_t minutes) {
    std::int64_t days = minutes / kMinutesPerDay;
    std::int64_t inDay = minutes % kMinutesPerDay;
    if (inDay < 0) {
        inDay += kMinutesPerDay;
        days -= 1;
    }
    const std::int64_t z = days + 719468;
    const std::int64_t era = (z >= 0 ? z : z - (kDaysPerEra - 1)) / kDaysPerEra;
    const std::int64_t dayOfEra = z - era * kDaysPerEra;
    const std::int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / (kDaysPerEra - 1)) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t mp = (5 * dayOfYear + 2) / 153;
    const int day = static_cast<int>(dayOfYear - (153 * mp + 2) / 5 + 1);
    const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    const int year = static_cast<int>(yearOfEra + era * 400 + (month <= 2 ? 1 : 0));
    return {year, month, day, static_cast<int>(inDay / 60), static_cast<int>(inDay % 60)};
}

}  // namespace

std::int64_t ObservationMinutes(int year, int month, int day, int hour, int minute) {
    if (month < 1 || month > 12 || day < 1 || day > 31 || hour < 0 || hour > 23 || minute < 0 ||
        minute > 59) {
        return kUnknownObservation;
    }
    return DaysFromCivil(year, month, day) * kMinutesPerDay + hour * 60 + minute;
}

std::int64_t ObservationMinutes(const ProductDescription& description) {
    return ObservationMinutes(description.year, description.month, description.day,
                              description.hour, description.minute);
}

std::string ObservationText(std::int64_t minutes) {
    if (minutes == kUnknownObservation) {
        return std::string();
    }
    const CivilTime t = CivilFromMinutes(minutes);
    char text[64];
    std::snprintf(text, sizeof text, "%04d年%02d月%02d日 %02d:%02d", t.year, t.month, t.day, t.hour,
                  t.minute);
    return text;
}

std::string IsoTimeText(std::int64_t minutes) {
    if (minutes == kUnknownObservation) {
        return std::string();
    }
    const CivilTime t = CivilFromMinutes(minutes);
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02dZ", t.year, t.month, t.day, t.hour,
                  t.minute);
    return text;
}

std::string MissingObservationMark(std::int64_t minutes) {
    const CivilTime t = CivilFromMinutes(minutes);
    char text[32];
    std::snprintf(text, sizeof text, "缺测 %02d:%02d", t.hour, t.minute);
    return text;
}

std::string BeijingTimeText(std::int64_t utcMinutes) {
    if (utcMinutes == kUnknownObservation) {
        return std::string();
    }
    const CivilTime t = CivilFromMinutes(utcMinutes + kBeijingOffsetMinutes);
    char text[64];
    std::snprintf(text, sizeof text, "%04d年%02d月%02d日 %02d时%02d分", t.year, t.month, t.day,
                  t.hour, t.minute);
    return text;
}

std::string UtcAndBeijingText(std::int64_t utcMinutes) {
    if (utcMinutes == kUnknownObservation) {
        return std::string();
    }
    const CivilTime utc = CivilFromMinutes(utcMinutes);
    const CivilTime beijing = CivilFromMinutes(utcMinutes + kBeijingOffsetMinutes);
    char text[96];
    if (beijing.day == utc.day) {
        std::snprintf(text, sizeof text, " UTC（北京时间 %02d:%02d）", beijing.hour,
                      beijing.minute);
    } else {
        std::snprintf(text, sizeof text, " UTC（北京时间 %02d月%02d日 %02d:%02d）", beijing.month,
                      beijing.day, beijing.hour, beijing.minute);
    }
    return ObservationText(utcMinutes) + text;
}
