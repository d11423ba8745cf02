#include "nwp/DiamondTokens.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace {

// C formatted input accepts one leading plus sign; from_chars does not.
std::string_view WithoutPlus(std::string_view token) {
    if (token.size() > 1 && token[0] == '+' && token[1] != '-' && token[1] != '+') {
        token.remove_prefix(1);
    }
    return token;
}

// Hexadecimal reals are the one "%f" form from_chars does not read; they are
// rare enough to go through the C library on a short copy.
bool ParseWithStrtof(std::string_view token, float& value) {
    char buffer[64];
    if (token.size() >= sizeof buffer) {
        return false;
    }
    std::memcpy(buffer, token.data(), token.size());
    buffer[token.size()] = '\0';
    char* end = nullptr;
    const float v = std::strtof(buffer, &end);
    if (end != buffer + token.size()) {
        return false;
    }
    value = v;
    return true;
}

// A number beyond float: C input gives infinity or zero with its sign.
float OutOfRange(std::string_view digits) {
    const bool negative = digits[0] == '-';
    double d = 0.0;
    const char* end = digits.data() + digits.size();
    if (std::from_chars(digits.data(), end, d).ec == std::errc()) {
        return std::fabs(d) > std::numeric_limits<float>::max()
                   ? std::copysign(std::numeric_limits<float>::infinity(), static_cast<float>(d))
                   : static_cast<float>(d);
    }
    const bool tiny =
        digits.find("e-") != std::string_view::npos || digits.find("E-") != std::string_view::npos;
    const float magnitude = tiny ? 0.0f : std::numeric_limits<float>::infinity();
    return negative ? -magnitude : magnitude;
}

constexpr float kPowersOfTen[] = {1e0f, 1e1f, 1e2f, 1e3f, 1e4f, 1e5f,
                                  1e6f, 1e7f, 1e8f, 1e9f, 1e10f};
constexpr int kMaxExactDigits = 7;

// Plain decimals as writers print them ("-5432.1", "12", "0.25"): up to
// seven significant digits are exact in a float, and so are the powers of
// ten up to 10^10, so one float division rounds the value correctly, exactly
// as a full conversion would. Returns where the number ends, or nullptr for
// any other form (the caller then converts the token in full).
const char* ScanPlainDecimal(const char* p, const char* end, float& value) {
    const bool negative = p != end && *p == '-';
    if (p != end && (*p == '-' || *p == '+')) {
        ++p;
    }
    std::uint32_t mantissa = 0;
    int digits = 0;
    int pointAt = -1;  // digits before the point
    for (; p != end; ++p) {
        const unsigned d = static_cast<unsigned char>(*p) - static_cast<unsigned>('0');
        if (d < 10) {
            mantissa = mantissa * 10 + d;
            ++digits;
        } else if (*p == '.' && pointAt < 0) {
            pointAt = digits;
        } else {
            break;
        }
    }
    // Leading zeros count as digits too: "0.0001234" takes the full path.
    if (digits == 0 || digits > kMaxExactDigits) {
        return nullptr;
    }
    const int decimals = pointAt < 0 ? 0 : digits - pointAt;
    const float magnitude = static_cast<float>(mantissa) / kPowersOfTen[decimals];
    value = negative ? -magnitude : magnitude;
    return p;
}

}  // namespace

bool ParseFloatToken(std::string_view token, float& value) {
    const char* tokenEnd = token.data() + token.size();
    if (ScanPlainDecimal(token.data(), tokenEnd, value) == tokenEnd && !token.empty()) {
        return true;
    }
    if (token.empty()) {
        return false;
    }
    const std::string_view digits = WithoutPlus(token);
    const char* end = digits.data() + digits.size();
    float v = 0.0f;
    const auto [ptr, ec] = std::from_chars(digits.data(), end, v);
    if (ptr == end && (ec == std::errc() || ec == std::errc::result_out_of_range)) {
        value = ec == std::errc() ? v : OutOfRange(digits);
        return true;
    }
    return ParseWithStrtof(digits, value);
}

bool ParseIntToken(std::string_view token, int& value) {
    if (token.empty()) {
        return false;
    }
    const std::string_view digits = WithoutPlus(token);
    const char* end = digits.data() + digits.size();
    long long n = 0;
    const auto [ptr, ec] = std::from_chars(digits.data(), end, n);
    if (ptr == end && ec == std::errc()) {
        if (n < std::numeric_limits<int>::min() || n > std::numeric_limits<int>::max()) {
            return false;
        }
        value = static_cast<int>(n);
        return true;
    }
    float real = 0.0f;
    if (!ParseFloatToken(token, real) || !std::isfinite(real) || std::trunc(real) != real ||
        std::fabs(real) > 2.0e9f) {
        return false;
    }
    value = static_cast<int>(real);
    return true;
}

bool CDiamondTokens::NextFloat(float& value) {
    while (m_p != m_end && IsBlank(*m_p)) {
        ++m_p;
    }
    const char* start = m_p;
    float plain = 0.0f;
    const char* stop = ScanPlainDecimal(start, m_end, plain);
    if (stop != nullptr && (stop == m_end || IsBlank(*stop))) {
        m_p = stop;
        value = plain;
        return true;
    }
    while (m_p != m_end && !IsBlank(*m_p)) {
        ++m_p;
    }
    return ParseFloatToken(std::string_view(start, static_cast<std::size_t>(m_p - start)), value);
}
