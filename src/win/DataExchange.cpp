#include "win/DataExchange.h"

#include "win/Failure.h"
#include "win/IntegerText.h"

#include <commctrl.h>

#include <algorithm>
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

void CDataExchange::Text(int controlId, std::string& value, std::size_t maxLength)
{
    std::string read = value;
    Text(controlId, read);
    if (saving && read.size() > maxLength) {
        Fail(controlId, "Please enter at most " + std::to_string(maxLength) + " characters.");
    }
    value = read;
}

void CDataExchange::Fail(int controlId, const std::string& message) const
{
    Reject(GetDlgItem(dialog, controlId), message);
}

void CDataExchange::HotKey(int controlId, int& value)
{
    const HWND box = GetDlgItem(dialog, controlId);
    if (saving) {
        value = LOWORD(SendMessageA(box, HKM_GETHOTKEY, 0, 0));
    } else {
        SendMessageA(box, HKM_SETHOTKEY, static_cast<WPARAM>(value & 0xFFFF), 0);
    }
}

void CDataExchange::Trackbar(int controlId, int& position)
{
    const HWND trackbar = GetDlgItem(dialog, controlId);
    if (saving) {
        position = static_cast<int>(SendMessageA(trackbar, TBM_GETPOS, 0, 0));
    } else {
        SendMessageA(trackbar, TBM_SETPOS, TRUE, position);
    }
}

void CDataExchange::Time(int controlId, int& minutes)
{
    constexpr int kMinutesPerHour = 60;
    constexpr int kLastMinute = 24 * kMinutesPerHour - 1;
    const HWND picker = GetDlgItem(dialog, controlId);
    // The picker holds a whole date; today's is as good as any.
    SYSTEMTIME time = {};
    GetLocalTime(&time);
    if (saving) {
        if (SendMessageA(picker, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&time)) == GDT_VALID) {
            minutes = time.wHour * kMinutesPerHour + time.wMinute;
        }
        return;
    }
    const int shown = std::clamp(minutes, 0, kLastMinute);
    time.wHour = static_cast<WORD>(shown / kMinutesPerHour);
    time.wMinute = static_cast<WORD>(shown % kMinutesPerHour);
    time.wSecond = 0;
    time.wMilliseconds = 0;
    SendMessageA(picker, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&time));
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
