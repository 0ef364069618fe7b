#include "win/IntegerText.h"

#include <climits>

namespace win {

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

}  // namespace

bool ParseDialogInteger(const std::string& fullText, int& value)
{
    const std::string text = fullText.substr(0, 31);
    std::size_t pos = 0;
    while (pos < text.size() && IsBlank(text[pos])) {
        ++pos;
    }
    const std::size_t numberStart = pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    long long magnitude = 0;
    const std::size_t digitsStart = pos;
    while (pos < text.size() && IsDigit(text[pos])) {
        if (magnitude <= INT_MAX) {
            magnitude = magnitude * 10 + (text[pos] - '0');
        }
        ++pos;
    }
    const bool hasDigits = pos > digitsStart;
    while (pos < text.size() && IsBlank(text[pos])) {
        ++pos;
    }
    if (!hasDigits || pos != text.size()) {
        return false;
    }
    const long long signedValue = negative ? -magnitude : magnitude;
    if (signedValue == 0 && text[numberStart] != '0') {
        return false;
    }
    value = signedValue > INT_MAX ? INT_MAX : signedValue < INT_MIN ? INT_MIN : static_cast<int>(signedValue);
    return true;
}

}  // namespace win
