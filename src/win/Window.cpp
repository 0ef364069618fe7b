#include "win/Window.h"

#include "win/Failure.h"

namespace win {

bool CWindow::DispatchGuarded(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    try {
        return OnMessage(message, wParam, lParam, result);
    } catch (...) {
        ReportCurrentFailure(hwnd);
        result = 0;
        return true;
    }
}

}  // namespace win
