#pragma once
// The whole-number reading shared by every dialog box that holds a number.
#include <string>

namespace win {

// Reads text as a dialog's whole number: of its first 31 characters, blanks
// or tabs, an optional sign, decimal digits, blanks or tabs, nothing else.
// Zero counts only when its text starts with the digit 0 (so "", "+0" and
// "-0" fail); numbers beyond the 32-bit range become the nearer limit.
bool ParseDialogInteger(const std::string& text, int& value);

}  // namespace win
