#pragma once
// Observation times of products as minutes since 1970-01-01 00:00 UTC, so
// that products can be ordered and spaced by arithmetic, and the texts the
// animation shows for a time.

#include <cstdint>
#include <limits>
#include <string>

struct ProductDescription;

// The time of a product whose header gives none (or an impossible one). It
// sorts before every known time; callers that subtract times test for it
// first.
constexpr std::int64_t kUnknownObservation = std::numeric_limits<std::int64_t>::min();

// Minutes since the epoch of a UTC date and time; kUnknownObservation when a
// field is out of its range.
std::int64_t ObservationMinutes(int year, int month, int day, int hour, int minute);
// The same for a product's description.
std::int64_t ObservationMinutes(const ProductDescription& description);

// "2022年03月31日 13:00" of a time, as the frame list shows headers.
std::string ObservationText(std::int64_t minutes);
// The hours China's time (Beijing time) runs ahead of UTC, all year.
constexpr std::int64_t kBeijingOffsetMinutes = 8 * 60;
// "2022年03月31日 21时00分": a UTC time as read in China; "" when unknown.
std::string BeijingTimeText(std::int64_t utcMinutes);
// "2022年03月31日 13:00 UTC（北京时间 21:00）": a product's time as the
// read-out gives it, the Beijing date only when it is another day; "" when
// unknown.
std::string UtcAndBeijingText(std::int64_t utcMinutes);
// "2022-03-31T13:00Z" (ISO 8601, UTC) for tables other programs read; ""
// when unknown.
std::string IsoTimeText(std::int64_t minutes);
// "缺测 13:00": the mark of a slot whose observation is missing.
std::string MissingObservationMark(std::int64_t minutes);
