#include "frame/WarningDismisser.h"

#include <utility>

namespace {

// Gives the other program a moment to handle a click before the next one,
// instead of flooding its queue.
constexpr DWORD kRoundPauseMs = 5;

// The point x = 13, y = 0 in the control's client area.
constexpr LPARAM kClickPoint = MAKELPARAM(13, 0);

// False when the control has gone.
bool PostClick(HWND control)
{
    return PostMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, kClickPoint) && PostMessageA(control, BM_SETSTATE, 1, 0) &&
           PostMessageA(control, WM_LBUTTONUP, MK_LBUTTON, kClickPoint);
}

}  // namespace

CWarningDismisser::CWarningDismisser(std::vector<std::string> titles, DWORD budgetMs)
    : titles(std::move(titles)), budgetMs(budgetMs)
{
}

int CWarningDismisser::DismissAll() const
{
    const DWORD started = GetTickCount();
    int clicks = 0;
    for (const std::string& title : titles) {
        clicks += Dismiss(title, started);
    }
    return clicks;
}

int CWarningDismisser::Dismiss(const std::string& title, DWORD started) const
{
    // An empty title would match any untitled window of any program.
    if (title.empty()) {
        return 0;
    }
    HWND window = FindWindowA(nullptr, title.c_str());
    if (window == nullptr) {
        return 0;
    }
    // Looked up once: a second window with the same title waits for the next
    // tick, as does a window with no control to click.
    const HWND control = GetNextDlgTabItem(window, nullptr, FALSE);
    if (control == nullptr) {
        return 0;
    }
    int clicks = 0;
    while (window != nullptr && PostClick(control)) {
        ++clicks;
        if (GetTickCount() - started >= budgetMs) {
            break;
        }
        Sleep(kRoundPauseMs);
        window = FindWindowA(nullptr, title.c_str());
    }
    return clicks;
}
