#include "nwp/DiamondTokens.h"

#include <charconv>
#include <cmath>
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

}  // namespace

bool ParseFloatToken(std::string_view token, float& value) {
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
