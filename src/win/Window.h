#pragma once
// Base of every window and dialog of the program: the handle and the one
// virtual step through which the static procedures reach the C++ object.
#include <windows.h>

namespace win {

class CWindow {
public:
    CWindow() = default;
    CWindow(const CWindow&) = delete;
    CWindow& operator=(const CWindow&) = delete;
    virtual ~CWindow() = default;

    HWND Handle() const { return hwnd; }

protected:
    // True when the class handled the message; result is then its answer.
    virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) = 0;

    // Runs OnMessage inside the failure report of message dispatch: a
    // failure is reported and counts as handled, so processing goes on.
    bool DispatchGuarded(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    HWND hwnd = nullptr;
};

}  // namespace win
