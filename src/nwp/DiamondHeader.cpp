#include "nwp/DiamondHeader.h"

#include <cstdio>

namespace {

// "时" (hour) and "点" (o'clock) in GBK.
constexpr char kHourMark[] = "\xCA\xB1";
constexpr char kOClockMark[] = "\xB5\xE3";
// "年", "月", "日" in GBK: the marks after year, month and day.
constexpr char kYearMark[] = "\xC4\xEA";
constexpr char kMonthMark[] = "\xD4\xC2";
constexpr char kDayMark[] = "\xC8\xD5";
// Two-digit years from this on are of the 1900s.
constexpr int kFirstYearOf1900s = 60;

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

// Reads 1 to maxDigits digits at `at`, then the two-byte mark; the number
// must lie in [low, high]. Moves `at` past the mark.
bool ReadNumberAndMark(const std::string& text, std::size_t& at, int maxDigits, int low, int high,
                       const char* mark) {
    int value = 0;
    int digits = 0;
    while (at < text.size() && text[at] >= '0' && text[at] <= '9' && digits < maxDigits) {
        value = value * 10 + (text[at] - '0');
        ++at;
        ++digits;
    }
    if (digits == 0 || value < low || value > high || text.compare(at, 2, mark) != 0) {
        return false;
    }
    at += 2;
    return true;
}

// "YY年M月D日H时" (or "点"), one- or two-digit numbers, and nothing else.
bool ReadsAsDateTime(const std::string& text) {
    std::size_t at = 0;
    if (!ReadNumberAndMark(text, at, 2, 0, 99, kYearMark) ||
        !ReadNumberAndMark(text, at, 2, 1, 12, kMonthMark) ||
        !ReadNumberAndMark(text, at, 2, 1, 31, kDayMark)) {
        return false;
    }
    const std::size_t hourAt = at;
    if (ReadNumberAndMark(text, at, 2, 0, 24, kHourMark) && at == text.size()) {
        return true;
    }
    at = hourAt;
    return ReadNumberAndMark(text, at, 2, 0, 24, kOClockMark) && at == text.size();
}

// "2023年04月17日20时 +036" from the header's numbers, in GBK.
std::string HeaderDateTime(const DiamondHeader& h) {
    int year = h.year;
    if (year >= 0 && year < 100) {
        year += year < kFirstYearOf1900s ? 2000 : 1900;
    }
    const int forecast = h.forecastHours;
    char text[96];
    std::snprintf(text, sizeof text, "%04d%s%02d%s%02d%s%02d%s %c%03d", year, kYearMark, h.month,
                  kMonthMark, h.day, kDayMark, h.hour, kHourMark, forecast < 0 ? '-' : '+',
                  forecast < 0 ? -forecast : forecast);
    return text;
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

DescriptionParts SplitDescription(const DiamondHeader& header) {
    const std::string& description = header.description;
    std::size_t mark = FindGbkChar(description, kHourMark);
    if (mark == std::string::npos) {
        mark = FindGbkChar(description, kOClockMark);
    }
    DescriptionParts parts;
    if (mark == std::string::npos || !ReadsAsDateTime(description.substr(0, mark + 2))) {
        parts.dateTime = HeaderDateTime(header);
        parts.fieldName = description;
        return parts;
    }
    parts.dateTime = description.substr(0, mark + 2);
    parts.fieldName = description.substr(mark + 2);
    parts.dateTime = CenturyPrefix(header.year, parts.dateTime) + parts.dateTime;
    return parts;
}
