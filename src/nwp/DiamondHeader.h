#pragma once
// The header of a diamond type-4 file: 22 white-space separated tokens,
//   keyword type description year month day hour forecast level
//   lonStep latStep firstLon lastLon firstLat lastLat nx ny
//   interval firstValue lastValue smoothing bold
// followed by ny rows of nx values. The description is GBK text without
// blanks: usually a date/time part ending in "时" (or "点") and the field's
// name, but real files put anything there.

#include <cstddef>
#include <string>

#include "nwp/DiamondTokens.h"

// Why a file was refused; None when it was accepted.
enum class DiamondError {
    None,
    CannotOpen,
    TooShort,
    TooLarge,
    NotDiamond,
    NotType4,
    TokenTooLong,
    BadHeader,
    BadSize,
    TooManyPoints,
    BadStep,
    BadBounds,
    OutOfMemory,
};

// A short English reason for messages of the command line.
const char* DiamondErrorText(DiamondError error);

// Files shorter than this cannot hold a header and a grid.
constexpr std::size_t kMinDiamondBytes = 100;
// The fixed fields the keyword and the description were written into.
constexpr std::size_t kMaxKeywordBytes = 19;
constexpr std::size_t kMaxDescriptionBytes = 99;

struct DiamondHeader {
    std::string keyword;      // "diamond"
    int type = 0;             // 4
    std::string description;  // GBK bytes as read
    int year = 0;             // only its century counts
    int month = 0;
    int day = 0;
    int hour = 0;
    int forecastHours = 0;  // shown when the description gives no date/time
    int level = 0;          // read and kept, not used
    float lonStep = 0.0f;
    float latStep = 0.0f;  // its sign gives the row order
    float firstLon = 0.0f;
    float lastLon = 0.0f;
    float firstLat = 0.0f;
    float lastLat = 0.0f;
    int nx = 0;  // after reading the grid: the stored column count
    int ny = 0;
    float interval = 0.0f;
    float firstValue = 0.0f;
    float lastValue = 0.0f;
    float smoothing = 0.0f;  // read and kept, not used
    float bold = 0.0f;       // read and kept, not used
};

// Reads keyword, type, description and the six integers, and checks that
// this is a diamond file of type 4.
DiamondError ReadProbeTokens(CDiamondTokens& tokens, DiamondHeader& header);

// Reads the thirteen tokens after the six integers. The sizes and steps are
// read, not checked.
DiamondError ReadGridTokens(CDiamondTokens& tokens, DiamondHeader& header);

// The description split into the date/time text, with its century prefix,
// and the field's name; both GBK. The split is made after the first "时"
// (or "点"); when what comes before does not read as a date and time
// ("17年3月31日8点", "19年02月01日08时": a one- or two-digit year, month,
// day and hour), the header's own numbers are shown instead,
// "2023年04月17日20时 +036" with the forecast hour, and the whole description
// is the field's name.
struct DescriptionParts {
    std::string dateTime;
    std::string fieldName;
};
DescriptionParts SplitDescription(const DiamondHeader& header);
