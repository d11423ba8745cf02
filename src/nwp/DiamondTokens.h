#pragma once
// Token reading of diamond text files. Tokens are separated by white space in
// any arrangement (blanks, tabs, carriage returns, line ends), as C formatted
// input reads them, so headers spread over several lines, CR CR LF line ends
// and a missing final line end all read the same. Numbers are converted
// without the locale, so a forecaster's desktop locale never changes a value.

#include <cstddef>
#include <string_view>

class CDiamondTokens {
public:
    CDiamondTokens(const char* begin, const char* end) : m_p(begin), m_end(end) {}

    // The next token; empty at the end of the text.
    std::string_view Next() {
        while (m_p != m_end && IsBlank(*m_p)) {
            ++m_p;
        }
        const char* start = m_p;
        while (m_p != m_end && !IsBlank(*m_p)) {
            ++m_p;
        }
        return std::string_view(start, static_cast<std::size_t>(m_p - start));
    }

    // The next token as a number (see ParseFloatToken); false at the end of
    // the text or when the token is not a number. The plain decimals of the
    // value block are converted as they are scanned.
    bool NextFloat(float& value);

    static bool IsBlank(char c) {
        return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
    }

private:
    const char* m_p;
    const char* m_end;
};

// The whole token as a single-precision number ("%f" forms: optional sign,
// digits with or without a point, exponent, inf, nan, hexadecimal); false
// when the token is empty or not wholly a number.
bool ParseFloatToken(std::string_view token, float& value);

// The whole token as an int. A real with no fraction ("500.0") is accepted
// too, since some writers put every header number in one format; false for
// anything else or a value outside int.
bool ParseIntToken(std::string_view token, int& value);
