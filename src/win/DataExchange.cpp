#include "win/DataExchange.h"

#include "win/Failure.h"
#include "win/IntegerText.h"

#include <vector>

namespace win {

std::string WindowText(HWND window)
{
    const int length = GetWindowTextLengthA(window);
    std::vector<char> buffer(static_cast<std::size_t>(length > 0 ? length : 0) + 1, '\0');
    const int copied = GetWindowTextA(window, buffer.data(), static_cast<int>(buffer.size()));
    return std::string(buffer.data(), copied > 0 ? static_cast<std::size_t>(copied) : 0);
}

void CDataExchange::Integer(int controlId, int& value)
{
    const HWND box = GetDlgItem(dialog, controlId);
    if (!saving) {
        SetWindowTextA(box, std::to_string(value).c_str());
        return;
    }
    if (!ParseDialogInteger(WindowText(box), value)) {
        Reject(box, "Please enter an integer.");
    }
}

void CDataExchange::Integer(int controlId, int& value, int minimum, int maximum)
{
    int read = value;
    Integer(controlId, read);
    if (saving && (read < minimum || read > maximum)) {
        Reject(GetDlgItem(dialog, controlId), "Please enter an integer between " + std::to_string(minimum) +
                                                  " and " + std::to_string(maximum) + ".");
    }
    value = read;
}

void CDataExchange::Reject(HWND box, const std::string& message) const
{
    MessageBoxA(dialog, message.c_str(), ApplicationName(), MB_OK | MB_ICONEXCLAMATION);
    SetFocus(box);
    SendMessageA(box, EM_SETSEL, 0, -1);
    throw CExchangeFailed();
}

void CDataExchange::Text(int controlId, std::string& value)
{
    const HWND box = GetDlgItem(dialog, controlId);
    if (saving) {
        value = WindowText(box);
    } else {
        SetWindowTextA(box, value.c_str());
    }
}

void CDataExchange::Check(int controlId, int& value)
{
    const HWND box = GetDlgItem(dialog, controlId);
    if (saving) {
        value = SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
        return;
    }
    if (value < 0 || value > 2) {
        value = 0;
    }
    SendMessageA(box, BM_SETCHECK, static_cast<WPARAM>(value), 0);
}

}  // namespace win
