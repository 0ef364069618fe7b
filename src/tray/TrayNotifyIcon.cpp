#include "tray/TrayNotifyIcon.h"

#include "tray/TrayTimerWnd.h"
#include "win/Handles.h"

namespace {
// The record with a 128-character tip, as every shell since Windows 2000
// knows it; nothing else of that form is used, so the callback arrives as
// with the oldest record.
constexpr DWORD kRecordSize = NOTIFYICONDATAA_V2_SIZE;
static_assert(NOTIFYICONDATAA_V2_SIZE == 488, "the shell expects the 488-byte record");
constexpr UINT kAllParts = NIF_MESSAGE | NIF_ICON | NIF_TIP;
// NIIF_RESPECT_QUIET_TIME, which the headers for older systems lack; those
// systems ignore it.
constexpr DWORD kRespectQuietTime = 0x80;
}  // namespace

win::CIconHandle LoadNotificationIcon(UINT resourceId)
{
    return win::CIconHandle(static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(resourceId),
                                                          IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                                          GetSystemMetrics(SM_CYSMICON), 0)));
}

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
    record.uCallbackMessage = callbackMessage;
    record.hIcon = icon;
    lstrcpynA(record.szTip, tooltip, sizeof record.szTip);
    created = true;
    shown = false;
    addSent = false;
    return Restore();
}

bool CTrayNotifyIcon::RemoveIcon()
{
    if (!created) {
        return false;
    }
    const bool wasSent = addSent;
    created = false;
    shown = false;
    addSent = false;
    record.uFlags = 0;
    return wasSent && shellNotify(NIM_DELETE, &record) != FALSE;
}

bool CTrayNotifyIcon::Restore()
{
    if (!created) {
        return false;
    }
    record.uFlags = kAllParts;
    addSent = true;
    NOTIFYICONDATAA sent = record;
    if (shellNotify(NIM_ADD, &sent) == FALSE) {
        sent = record;
        if (shellNotify(NIM_MODIFY, &sent) == FALSE) {
            return false;
        }
    }
    shown = created;
    return shown;
}

bool CTrayNotifyIcon::SetIcon(HICON icon)
{
    if (!created) {
        return false;
    }
    StopAnimation();
    return ShowPicture(icon);
}

bool CTrayNotifyIcon::SetTip(const char* tooltip)
{
    lstrcpynA(record.szTip, tooltip, sizeof record.szTip);
    if (!shown) {
        return created;
    }
    NOTIFYICONDATAA change = record;
    change.uFlags = NIF_TIP;
    return shellNotify(NIM_MODIFY, &change) != FALSE;
}

bool CTrayNotifyIcon::ShowBalloon(const char* title, const char* text, DWORD icon)
{
    if (!shown) {
        return false;
    }
    NOTIFYICONDATAA balloon = record;
    balloon.uFlags = NIF_INFO;
    lstrcpynA(balloon.szInfoTitle, title, sizeof balloon.szInfoTitle);
    lstrcpynA(balloon.szInfo, text, sizeof balloon.szInfo);
    balloon.dwInfoFlags = icon | kRespectQuietTime;
    return shellNotify(NIM_MODIFY, &balloon) != FALSE;
}

// While the shell has not taken the icon, the picture is only kept for the
// add that will show it. The shell gets a copy of the record, so that a
// change made inside its wait is never undone by this one.
bool CTrayNotifyIcon::ShowPicture(HICON icon)
{
    record.hIcon = icon;
    if (!shown) {
        return true;
    }
    NOTIFYICONDATAA change = record;
    change.uFlags = NIF_ICON;
    return shellNotify(NIM_MODIFY, &change) != FALSE;
}

// The animation is running before its first picture is shown: an animation
// started or stopped inside the shell's wait then replaces or ends this one,
// and never runs beside it.
bool CTrayNotifyIcon::Animate(const HICON* pictures, int count, UINT delayMs)
{
    if (!created || count < 1) {
        return false;
    }
    StopAnimation();
    auto* window = new CTrayTimerWnd(*this, pictures, count, delayMs);
    if (win::CFrameWindow::CreateOwned(window, "", 0, CTrayTimerWnd::kClassName, HWND_MESSAGE) == nullptr) {
        return false;
    }
    animationWindow = window;
    ShowPicture(pictures[0]);
    return true;
}

void CTrayNotifyIcon::StopAnimation()
{
    if (animationWindow != nullptr) {
        const HWND window = animationWindow->Handle();
        animationWindow = nullptr;
        DestroyWindow(window);
    }
}

// The menu is loaded only for the two notifications that use it, not for
// every mouse move over the icon.
LRESULT CTrayNotifyIcon::OnTrayNotification(WPARAM wParam, LPARAM lParam)
{
    if (wParam != record.uID) {
        return 0;
    }
    if (lParam != WM_RBUTTONUP && lParam != WM_LBUTTONDBLCLK) {
        return 1;
    }
    const win::CMenuHandle menu(LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(record.uID)));
    const HMENU popup = menu ? GetSubMenu(menu.Get(), 0) : nullptr;
    if (popup == nullptr) {
        return 0;
    }
    if (lParam == WM_RBUTTONUP) {
        ShowMenu(popup);
    } else {
        SendMessageA(notificationWindow, WM_COMMAND, GetMenuItemID(popup, 0), 0);
    }
    return 1;
}

void CTrayNotifyIcon::ShowMenu(HMENU popup)
{
    SetMenuDefaultItem(popup, 0, TRUE);
    POINT cursor = {};
    GetCursorPos(&cursor);
    // The menu's loop handles every message that comes meanwhile: an Exit or
    // a close from outside destroys the owner, and the frame deletes this
    // object with it, so nothing of the object is used after the menu.
    const HWND owner = notificationWindow;
    // The menu closes when the user clicks elsewhere only if its owner is
    // the foreground window, and the message posted after it lets the next
    // opening work at the first click.
    SetForegroundWindow(owner);
    const UINT alignment = GetSystemMetrics(SM_MENUDROPALIGNMENT) != 0 ? TPM_RIGHTALIGN : TPM_LEFTALIGN;
    TrackPopupMenu(popup, alignment | TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, owner, nullptr);
    PostMessageA(owner, WM_NULL, 0, 0);
}
