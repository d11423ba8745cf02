#include "dialogs/DataExchange.h"

#include <QLineEdit>
#include <cctype>
#include <charconv>
#include <climits>
#include <cstdio>

#include "platform/Message.h"

std::optional<int> ParseDialogInteger(const std::string& text) {
    std::size_t i = 0;
    const auto skipBlanks = [&] {
        while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) {
            ++i;
        }
    };
    skipBlanks();
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    long long value = 0;
    const std::size_t digitsStart = i;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) {
        value = value * 10 + (text[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1) {
            return std::nullopt;
        }
        ++i;
    }
    if (i == digitsStart) {
        return std::nullopt;
    }
    skipBlanks();
    if (i != text.size()) {
        return std::nullopt;
    }
    value = negative ? -value : value;
    if (value > INT_MAX || value < INT_MIN) {
        return std::nullopt;
    }
    return static_cast<int>(value);
}

std::optional<double> ParseDialogNumber(const std::string& text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && std::isspace(static_cast<unsigned char>(text[begin]))) {
        ++begin;
    }
    while (end > begin && std::isspace(static_cast<unsigned char>(text[end - 1]))) {
        --end;
    }
    // from_chars takes no plus sign; the edit does.
    if (begin < end && text[begin] == '+') {
        ++begin;
        if (begin < end && (text[begin] == '-' || text[begin] == '+')) {
            return std::nullopt;
        }
    }
    if (begin == end) {
        return std::nullopt;
    }
    double value = 0.0;
    const char* first = text.data() + begin;
    const char* last = text.data() + end;
    const auto [stop, error] = std::from_chars(first, last, value);
    if (error != std::errc() || stop != last) {
        return std::nullopt;
    }
    return value;
}

void RefuseEdit(QLineEdit& edit, const std::string& message) {
    ShowMessage(message);
    edit.setFocus();
    edit.selectAll();
}

bool ExchangeFloat(QLineEdit& edit, float& value) {
    const std::optional<double> parsed = ParseDialogNumber(edit.text().toStdString());
    if (!parsed) {
        RefuseEdit(edit, "请键入一个数。");
        return false;
    }
    value = static_cast<float>(*parsed);
    return true;
}

std::string FloatEditText(float value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.6g", static_cast<double>(value));
    return text;
}

bool ExchangeInt(QLineEdit& edit, int& value) {
    const std::optional<int> parsed = ParseDialogInteger(edit.text().toStdString());
    if (!parsed) {
        RefuseEdit(edit, "请键入一个整数。");
        return false;
    }
    value = *parsed;
    return true;
}

std::string IntRangeMessage(int min, int max) {
    return "请填入一个在" + std::to_string(min) + "和" + std::to_string(max) + "之间的整数。";
}

bool ValidateIntRange(QLineEdit& edit, int value, int min, int max) {
    if (value < min || value > max) {
        RefuseEdit(edit, IntRangeMessage(min, max));
        return false;
    }
    return true;
}
