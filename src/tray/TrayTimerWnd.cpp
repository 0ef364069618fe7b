#include "tray/TrayTimerWnd.h"

namespace {
constexpr UINT_PTR kAnimationTimer = 1;
}

const win::MessageEntry<CTrayTimerWnd> CTrayTimerWnd::messages[] = {
    {WM_CREATE, &CTrayTimerWnd::OnCreate},
    {WM_CLOSE, &CTrayTimerWnd::OnClose},
    {WM_DESTROY, &CTrayTimerWnd::OnDestroy},
    {WM_TIMER, &CTrayTimerWnd::OnTimer},
};

const win::MessageMap<CTrayTimerWnd> CTrayTimerWnd::messageMap = {messages, {}, {}, {}};

// NOLINTNEXTLINE(bugprone-easily-swappable-parameters): a count of pictures, then a time in ms
CTrayTimerWnd::CTrayTimerWnd(CPictureTarget& target, const HICON* first, int count, UINT delayMs)
    : target(target), pictures(first, first + (count > 0 ? count : 1)), delayMs(delayMs)
{
}

bool CTrayTimerWnd::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    return win::DispatchMessageMap(*this, messageMap, message, wParam, lParam, result) ||
           CFrameWindow::OnMessage(message, wParam, lParam, result);
}

LRESULT CTrayTimerWnd::OnCreate(WPARAM, LPARAM)
{
    // One picture needs no timer: showing it again would change nothing.
    if (pictures.size() > 1) {
        timer = SetTimer(hwnd, kAnimationTimer, delayMs, nullptr);
    }
    return 0;
}

// Another program closing every window it finds must not end the animation.
LRESULT CTrayTimerWnd::OnClose(WPARAM, LPARAM)
{
    return 0;
}

LRESULT CTrayTimerWnd::OnDestroy(WPARAM, LPARAM)
{
    KillTimer(hwnd, timer);
    return 0;
}

LRESULT CTrayTimerWnd::OnTimer(WPARAM, LPARAM)
{
    currentPicture = (currentPicture + 1) % pictures.size();
    target.ShowPicture(pictures[currentPicture]);
    return 0;
}
