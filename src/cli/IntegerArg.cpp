#include "cli/IntegerArg.h"

#include <charconv>

bool ParseIntegerArg(const std::string& text, int low, int high, int& value) {
    const char* first = text.data();
    const char* last = first + text.size();
    // A plus sign is what people write before a brightness step; the digits
    // must follow it directly.
    if (first != last && *first == '+' && last - first > 1 && first[1] != '-') {
        ++first;
    }
    long long parsed = 0;
    const auto [end, ec] = std::from_chars(first, last, parsed);
    if (first == last || ec != std::errc() || end != last || parsed < low || parsed > high) {
        return false;
    }
    value = static_cast<int>(parsed);
    return true;
}
