#include "tray/TrayNotifyIcon.h"

#include "tray/TrayTimerWnd.h"
#include "win/Handles.h"

#include <cstring>

namespace {
// The record as the oldest shells know it: 88 bytes with a 64-character tip.
constexpr DWORD kRecordSize = NOTIFYICONDATAA_V1_SIZE;
static_assert(NOTIFYICONDATAA_V1_SIZE == 88, "the shell expects the 88-byte record");
}  // namespace

CTrayNotifyIcon::~CTrayNotifyIcon()
{
    RemoveIcon();
    StopAnimation();
}

bool CTrayNotifyIcon::Create(HWND window, UINT id, const char* tooltip, HICON icon, UINT callbackMessage)
{
    notificationWindow = window;
    record = {};
    record.cbSize = kRecordSize;
    record.hWnd = window;
    record.uID = id;
    record.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    record.uCallbackMessage = callbackMessage;
    record.hIcon = icon;
    std::strncpy(record.szTip, tooltip, 63);
    record.szTip[63] = '\0';
    enabled = Shell_NotifyIconA(NIM_ADD, &record) != FALSE;
    return enabled;
}

bool CTrayNotifyIcon::RemoveIcon()
{
    if (!enabled) {
        return false;
    }
    record.uFlags = 0;
    const bool removed = Shell_NotifyIconA(NIM_DELETE, &record) != FALSE;
    enabled = false;
    return removed;
}

bool CTrayNotifyIcon::Restore()
{
    if (!enabled) {
        return false;
    }
    record.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    return Shell_NotifyIconA(NIM_ADD, &record) != FALSE;
}

bool CTrayNotifyIcon::SetIcon(HICON icon)
{
    if (!enabled) {
        return false;
    }
    StopAnimation();
    animating = false;
    return ShowPicture(icon);
}

bool CTrayNotifyIcon::SetIcon(UINT iconResourceId)
{
    return SetIcon(LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(iconResourceId)));
}

bool CTrayNotifyIcon::ShowPicture(HICON icon)
{
    record.uFlags = NIF_ICON;
    record.hIcon = icon;
    return Shell_NotifyIconA(NIM_MODIFY, &record) != FALSE;
}

bool CTrayNotifyIcon::Animate(const HICON* pictures, int count, UINT delayMs)
{
    if (count < 1 || !SetIcon(pictures[0])) {
        return false;
    }
    StopAnimation();
    auto* window = new CTrayTimerWnd(*this, pictures, count, delayMs);
    if (win::CFrameWindow::CreateOwned(window, "", WS_OVERLAPPEDWINDOW) == nullptr) {
        return false;
    }
    animationWindow = window;
    animating = true;
    return true;
}

void CTrayNotifyIcon::StopAnimation()
{
    if (animationWindow != nullptr) {
        CTrayTimerWnd* window = animationWindow;
        animationWindow = nullptr;
        SendMessageA(window->Handle(), WM_CLOSE, 0, 0);
    }
}

LRESULT CTrayNotifyIcon::OnTrayNotification(WPARAM wParam, LPARAM lParam)
{
    if (wParam != record.uID) {
        return 0;
    }
    const win::CMenuHandle menu(LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(record.uID)));
    if (!menu) {
        return 0;
    }
    const HMENU popup = GetSubMenu(menu.Get(), 0);
    if (popup == nullptr) {
        return 0;
    }
    if (lParam == WM_RBUTTONUP) {
        SetMenuDefaultItem(popup, 0, TRUE);
        POINT cursor = {};
        GetCursorPos(&cursor);
        // The menu closes when the user clicks elsewhere only if its owner is
        // the foreground window.
        SetForegroundWindow(notificationWindow);
        TrackPopupMenu(popup, 0, cursor.x, cursor.y, 0, notificationWindow, nullptr);
    } else if (lParam == WM_LBUTTONDBLCLK) {
        SendMessageA(notificationWindow, WM_COMMAND, GetMenuItemID(popup, 0), 0);
    }
    return 1;
}
