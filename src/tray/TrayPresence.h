#pragma once
// The program's presence in the notification area: the icon with the
// pictures that suit the taskbar, its tip, the adds the shell has not taken
// yet, the shell's restarts, and the menu. The frame says what to show and
// routes the messages that concern the icon here.
#include "QuellorVersion.h"
#include "res/AppMessages.h"
#include "tray/TrayNotifyIcon.h"
#include "tray/TrayPictureSet.h"
#include "tray/TrayStatus.h"

#include <string>

// A balloon from the icon; a warning shows the warning sign.
struct TrayBalloon {
    std::string title;
    std::string text;
    bool warning = false;
};

constexpr UINT kTrayIconId = 140;
constexpr const char* kTrayTooltip = QUELLOR_TRAY_TOOLTIP;
constexpr UINT kTrayRetryPeriodMs = 2000;
// Two minutes of tries; after that only the shell's TaskbarCreated.
constexpr int kTrayRetryCount = 60;

class CTrayPresence {
public:
    explicit CTrayPresence(ShellNotifyFunction shellNotify);

    // Puts the icon, still, into the notification area of the frame's
    // window. Started at logon, the program may come before the shell's
    // notification area: it then tries again on the frame's TIMER_TRAY_RETRY.
    void Create(HWND frame);
    // The activity ON (the running pictures) or OFF (the idle one), and
    // what the tip tells of it. Showing waits on the shell, which lets sent
    // messages in: a Show inside another wins, and the outer one then
    // changes nothing more.
    void Show(const ActivityShown& activity, SwitchReasons reasons);
    void ContactEnded(ContactOutcome outcome, const SYSTEMTIME& when);
    void ContactSkipped(const SYSTEMTIME& when);
    void ShowBalloon(const TrayBalloon& balloon)
    {
        trayIcon.ShowBalloon(balloon.title.c_str(), balloon.text.c_str(), balloon.warning ? NIIF_WARNING : NIIF_INFO);
    }

    bool IsTaskbarCreated(UINT message) const { return message == taskbarCreatedMessage && message != 0; }
    // The shell (re)built its notification area: it has forgotten the icon,
    // or never had it.
    void OnTaskbarCreated();
    void OnRetryTimer();
    // The taskbar's colours, the animation setting or the icon size may have
    // changed.
    void OnSettingChange();
    void OnTrayPictures();
    LRESULT OnTrayCallback(WPARAM wParam, LPARAM lParam) { return trayIcon.OnTrayNotification(wParam, lParam); }

private:
    void ShowPictures();
    void ShowTip();

    HWND frame = nullptr;
    UINT taskbarCreatedMessage;
    // Before the icon, so that they outlive it.
    CTrayPictureSet pictures;
    CTrayNotifyIcon trayIcon;
    int retriesLeft = 0;
    // The pictures shown are those of an ON.
    bool on = false;
    CTrayStatus status{kTrayTooltip};
};
