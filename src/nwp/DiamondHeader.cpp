#include "nwp/DiamondHeader.h"

namespace {

// "时" (hour) and "点" (o'clock) in GBK.
constexpr char kHourMark[] = "\xCA\xB1";
constexpr char kOClockMark[] = "\xB5\xE3";

bool IsLeadByte(unsigned char c) {
    return c >= 0x81 && c <= 0xFE;
}

// Byte length of the GBK character at `at` (1 for ASCII, 2 for a pair; a
// lead byte at the very end counts alone).
std::size_t CharLength(const std::string& gbk, std::size_t at) {
    return IsLeadByte(static_cast<unsigned char>(gbk[at])) && at + 1 < gbk.size() ? 2 : 1;
}

// Position of the two-byte character, searched character by character so
// that the trail byte of one character and the lead byte of the next are
// never taken for it; npos when absent.
std::size_t FindGbkChar(const std::string& gbk, const char* mark) {
    for (std::size_t at = 0; at < gbk.size(); at += CharLength(gbk, at)) {
        if (gbk.compare(at, 2, mark) == 0) {
            return at;
        }
    }
    return std::string::npos;
}

// Two-digit years before 10 may be written with one digit; both get 2000s.
std::string CenturyPrefix(int year, const std::string& dateTime) {
    if (year < 10 && (dateTime.empty() || dateTime[0] != '0')) {
        return "200";
    }
    if (year >= 60 && year < 100) {
        return "19";
    }
    return "20";
}

bool ReadInt(CDiamondTokens& tokens, int& value) {
    return ParseIntToken(tokens.Next(), value);
}

bool ReadFloat(CDiamondTokens& tokens, float& value) {
    return ParseFloatToken(tokens.Next(), value);
}

}  // namespace

const char* DiamondErrorText(DiamondError error) {
    switch (error) {
        case DiamondError::None:
            return "accepted";
        case DiamondError::CannotOpen:
            return "cannot be opened for reading";
        case DiamondError::TooShort:
            return "too short for a diamond file (under 100 bytes)";
        case DiamondError::TooLarge:
            return "too large for a diamond file";
        case DiamondError::NotDiamond:
            return "not a diamond file";
        case DiamondError::NotType4:
            return "not a diamond file of type 4";
        case DiamondError::TokenTooLong:
            return "keyword or description too long";
        case DiamondError::BadHeader:
            return "header incomplete or not numeric";
        case DiamondError::BadSize:
            return "bad grid size (columns and rows must be at least 2)";
        case DiamondError::TooManyPoints:
            return "grid larger than the file can hold or than 16 M points";
        case DiamondError::BadStep:
            return "zero or non-finite grid step";
        case DiamondError::BadBounds:
            return "non-finite grid bounds";
        case DiamondError::OutOfMemory:
            return "not enough memory for the grid";
    }
    return "refused";
}

DiamondError ReadProbeTokens(CDiamondTokens& tokens, DiamondHeader& header) {
    // A keyword longer than its field cannot be "diamond" either; it is
    // never copied.
    const std::string_view keyword = tokens.Next();
    if (keyword.size() > kMaxKeywordBytes || keyword != "diamond") {
        return DiamondError::NotDiamond;
    }
    header.keyword = keyword;
    if (!ReadInt(tokens, header.type)) {
        return DiamondError::BadHeader;
    }
    if (header.type != 4) {
        return DiamondError::NotType4;
    }
    const std::string_view description = tokens.Next();
    if (description.size() > kMaxDescriptionBytes) {
        return DiamondError::TokenTooLong;
    }
    if (description.empty()) {
        return DiamondError::BadHeader;
    }
    header.description = description;
    const bool ok = ReadInt(tokens, header.year) && ReadInt(tokens, header.month) &&
                    ReadInt(tokens, header.day) && ReadInt(tokens, header.hour) &&
                    ReadInt(tokens, header.forecastHours) && ReadInt(tokens, header.level);
    return ok ? DiamondError::None : DiamondError::BadHeader;
}

DiamondError ReadGridTokens(CDiamondTokens& tokens, DiamondHeader& header) {
    const bool ok = ReadFloat(tokens, header.lonStep) && ReadFloat(tokens, header.latStep) &&
                    ReadFloat(tokens, header.firstLon) && ReadFloat(tokens, header.lastLon) &&
                    ReadFloat(tokens, header.firstLat) && ReadFloat(tokens, header.lastLat) &&
                    ReadInt(tokens, header.nx) && ReadInt(tokens, header.ny) &&
                    ReadFloat(tokens, header.interval) && ReadFloat(tokens, header.firstValue) &&
                    ReadFloat(tokens, header.lastValue) && ReadFloat(tokens, header.smoothing) &&
                    ReadFloat(tokens, header.bold);
    return ok ? DiamondError::None : DiamondError::BadHeader;
}

DescriptionParts SplitDescription(const std::string& descriptionGbk, int year) {
    std::size_t mark = FindGbkChar(descriptionGbk, kHourMark);
    if (mark == std::string::npos) {
        mark = FindGbkChar(descriptionGbk, kOClockMark);
    }
    // Without either mark the date/time part is the first character; a GBK
    // pair is kept whole so that neither part shows half a character.
    const std::size_t split = mark != std::string::npos ? mark + 2
                              : descriptionGbk.empty()  ? 0
                                                        : CharLength(descriptionGbk, 0);
    DescriptionParts parts;
    parts.dateTime = descriptionGbk.substr(0, split);
    parts.fieldName = descriptionGbk.substr(split);
    parts.dateTime = CenturyPrefix(year, parts.dateTime) + parts.dateTime;
    return parts;
}
