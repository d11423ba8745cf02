#pragma once
// Dialog data exchange for integer edits, as the framework does it: the text
// is read back into the value, and a text that is not an integer, or one
// outside the accepted range, is reported with the framework's own texts and
// the edit gets the focus again, so the dialog stays open.

#include <optional>
#include <string>

class QLineEdit;

// The integer of an edit text: optional blanks, an optional sign, digits,
// optional blanks; nothing when it is anything else or does not fit an int.
std::optional<int> ParseDialogInteger(const std::string& text);

// The number of an edit text: optional blanks, a decimal number with an
// optional sign and exponent, optional blanks; nothing for anything else or
// a number beyond the double range.
std::optional<double> ParseDialogNumber(const std::string& text);

// Reads the edit into value; "请键入一个整数。" and false when it is not an
// integer (value unchanged).
bool ExchangeInt(QLineEdit& edit, int& value);

// Reads the edit into value; "请键入一个数。" and false when it is not a
// number (value unchanged). A number beyond the float range reads as infinite.
bool ExchangeFloat(QLineEdit& edit, float& value);

// The text a float value shows in its edit: six significant digits.
std::string FloatEditText(float value);

// Shows message, gives the edit the focus and selects its text, as a
// refused exchange does.
void RefuseEdit(QLineEdit& edit, const std::string& message);

// Checks value against min..max; "请填入一个在%1和%2之间的整数。" and false
// when outside.
bool ValidateIntRange(QLineEdit& edit, int value, int min, int max);

// The range message for min..max.
std::string IntRangeMessage(int min, int max);
