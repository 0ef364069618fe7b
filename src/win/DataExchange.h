#pragma once
// One exchange step moves values between a dialog's controls and its working
// values, in the direction the dialog asks for. A value that cannot be read
// ends the step (the dialog's save then fails).
#include <windows.h>

#include <stdexcept>
#include <string>

namespace win {

// Raised by an exchange that has already told the user what is wrong.
class CExchangeFailed : public std::exception {
public:
    const char* what() const noexcept override { return "dialog value rejected"; }
};

class CDataExchange {
public:
    CDataExchange(HWND dialog, bool saving) : dialog(dialog), saving(saving) {}

    bool IsSaving() const { return saving; }

    // A whole number; bad text shows "Please enter an integer.", selects the
    // box and raises CExchangeFailed.
    void Integer(int controlId, int& value);
    // A whole number within minimum to maximum; outside, it shows "Please
    // enter an integer between minimum and maximum." the same way.
    void Integer(int controlId, int& value, int minimum, int maximum);
    void Text(int controlId, std::string& value);
    // A text of at most maxLength characters; a longer one shows "Please
    // enter at most maxLength characters." the same way.
    void Text(int controlId, std::string& value, std::size_t maxLength);
    // A hot-key control's value as the control gives it: the virtual key in
    // the low byte, HOTKEYF_* in the next; 0 for none.
    void HotKey(int controlId, int& value);
    // A trackbar's position; shown with a redraw.
    void Trackbar(int controlId, int& position);
    // A time picker's time of day as minutes after midnight, 0 to 1439.
    void Time(int controlId, int& minutes);
    // Tells the user what is wrong with the control's value, gives it the
    // focus with its text selected and ends the exchange.
    [[noreturn]] void Fail(int controlId, const std::string& message) const;
    // A check box as 0 or 1. Shown from a value outside 0 to 2, the box is
    // unchecked and the value becomes 0.
    void Check(int controlId, int& value);

private:
    // Tells the user, selects the box's text and ends the exchange.
    [[noreturn]] void Reject(HWND box, const std::string& message) const;

    HWND dialog;
    bool saving;
};

// The whole text of a window, of any length.
std::string WindowText(HWND window);

}  // namespace win
