#pragma once
// The program's icon in the taskbar notification area: adds and removes it,
// changes or animates its picture, and turns its mouse notifications into
// the popup menu and the default command.
#include <windows.h>
#include <shellapi.h>

class CTrayTimerWnd;

class CTrayNotifyIcon {
public:
    CTrayNotifyIcon() = default;
    CTrayNotifyIcon(const CTrayNotifyIcon&) = delete;
    CTrayNotifyIcon& operator=(const CTrayNotifyIcon&) = delete;
    virtual ~CTrayNotifyIcon();

    bool Create(HWND notificationWindow, UINT id, const char* tooltip, HICON icon, UINT callbackMessage);
    bool RemoveIcon();
    // Adds the icon again with its current picture, after the shell has
    // rebuilt its notification area and forgotten it.
    bool Restore();
    bool SetIcon(HICON icon);
    bool SetIcon(UINT iconResourceId);
    bool Animate(const HICON* pictures, int count, UINT delayMs);
    void StopAnimation();
    bool IsAnimating() const { return animating; }
    bool IsShown() const { return enabled; }
    HICON CurrentIcon() const { return record.hIcon; }

    // 1 when the notification was for this icon, else 0.
    LRESULT OnTrayNotification(WPARAM wParam, LPARAM lParam);

private:
    friend class CTrayTimerWnd;
    // The animation window shows the next picture.
    bool ShowPicture(HICON icon);

    NOTIFYICONDATAA record = {};
    bool enabled = false;
    HWND notificationWindow = nullptr;
    CTrayTimerWnd* animationWindow = nullptr;
    bool animating = false;
};
