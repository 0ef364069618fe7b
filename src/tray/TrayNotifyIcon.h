#pragma once
// The program's icon in the taskbar notification area: adds and removes it,
// changes or animates its picture, and turns its mouse notifications into
// the popup menu and the default command.
#include "tray/PictureTarget.h"
#include "win/Handles.h"

#include <windows.h>
#include <shellapi.h>

class CTrayTimerWnd;

// An icon resource at the small-icon size the system asks for, so that the
// shell need not shrink the large picture.
win::CIconHandle LoadNotificationIcon(UINT resourceId);

// The shell's notification-area call (Shell_NotifyIconA).
using ShellNotifyFunction = BOOL(WINAPI*)(DWORD message, NOTIFYICONDATAA* record);

class CTrayNotifyIcon final : private CPictureTarget {
public:
    explicit CTrayNotifyIcon(ShellNotifyFunction shellNotify = Shell_NotifyIconA) : shellNotify(shellNotify) {}
    CTrayNotifyIcon(const CTrayNotifyIcon&) = delete;
    CTrayNotifyIcon& operator=(const CTrayNotifyIcon&) = delete;
    ~CTrayNotifyIcon();

    // Sets up the icon and asks the shell to show it; false when the shell
    // did not take it (before the notification area exists, at logon). The
    // icon is kept all the same: its picture and animation follow every
    // change, and Restore shows it once the shell takes it. Every call of
    // the shell waits on it and lets sent messages in: any member may run
    // again inside another, and each leaves the icon consistent.
    bool Create(HWND notificationWindow, UINT id, const char* tooltip, HICON icon, UINT callbackMessage);
    bool RemoveIcon();
    // Adds the icon again with its current picture: after the shell has
    // rebuilt its notification area and forgotten it, or when it did not
    // take the icon before. An add the shell refuses counts as shown when
    // the shell knows the icon all the same (it answered late at a busy
    // logon).
    bool Restore();
    bool SetIcon(HICON icon);
    // Lines separated by "\n"; at most 127 characters are kept.
    bool SetTip(const char* tooltip);
    // A balloon from the icon (NIIF_INFO or NIIF_WARNING), which the shell
    // keeps back while the user does not want to be disturbed.
    bool ShowBalloon(const char* title, const char* text, DWORD icon);
    bool Animate(const HICON* pictures, int count, UINT delayMs);
    void StopAnimation();
    bool IsShown() const { return shown; }

    // 1 when the notification was for this icon, else 0.
    LRESULT OnTrayNotification(WPARAM wParam, LPARAM lParam);

private:
    bool ShowPicture(HICON icon) override;
    void ShowMenu(HMENU popup);

    ShellNotifyFunction shellNotify;
    NOTIFYICONDATAA record = {};
    // Between Create and RemoveIcon, shown or not.
    bool created = false;
    bool shown = false;
    // An add was sent since Create: the shell may have the icon even when
    // it said no, so the end removes it all the same.
    bool addSent = false;
    HWND notificationWindow = nullptr;
    CTrayTimerWnd* animationWindow = nullptr;
};
