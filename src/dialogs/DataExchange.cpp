#include "dialogs/DataExchange.h"

#include <QLineEdit>
#include <cctype>
#include <climits>

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

namespace {

void FailOn(QLineEdit& edit, const std::string& message) {
    ShowMessage(message);
    edit.setFocus();
    edit.selectAll();
}

}  // namespace

bool ExchangeInt(QLineEdit& edit, int& value) {
    const std::optional<int> parsed = ParseDialogInteger(edit.text().toStdString());
    if (!parsed) {
        FailOn(edit, "请键入一个整数。");
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
        FailOn(edit, IntRangeMessage(min, max));
        return false;
    }
    return true;
}
