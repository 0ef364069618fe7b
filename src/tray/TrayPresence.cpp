#include "tray/TrayPresence.h"

#include <utility>

CTrayPresence::CTrayPresence(ShellNotifyFunction shellNotify)
    : taskbarCreatedMessage(RegisterWindowMessageA("TaskbarCreated")), trayIcon(shellNotify)
{
}

void CTrayPresence::Create(HWND frameWindow)
{
    frame = frameWindow;
    if (!trayIcon.Create(frame, kTrayIconId, kTrayTooltip, pictures.Idle(), WM_TRAY_CALLBACK)) {
        retriesLeft = kTrayRetryCount;
        SetTimer(frame, TIMER_TRAY_RETRY, kTrayRetryPeriodMs, nullptr);
    }
    ShowTip();
}

// The state is set before the shell is called and the tip follows the
// picture, so the tip tells whatever a Show inside the wait has shown.
void CTrayPresence::Show(const ActivityShown& activity, SwitchReasons reasons)
{
    const bool activityOn = activity.on;
    status.SetState(activity, std::move(reasons));
    if (on != activityOn) {
        on = activityOn;
        ShowPictures();
    }
    ShowTip();
}

void CTrayPresence::ContactEnded(ContactOutcome outcome, const SYSTEMTIME& when)
{
    status.ContactEnded(outcome, when);
    ShowTip();
}

void CTrayPresence::ContactSkipped(const SYSTEMTIME& when)
{
    status.ContactSkipped(when);
    ShowTip();
}

void CTrayPresence::OnRetryTimer()
{
    if (!trayIcon.IsShown() && retriesLeft > 0) {
        --retriesLeft;
        trayIcon.Restore();
    }
    if (trayIcon.IsShown() || retriesLeft == 0) {
        KillTimer(frame, TIMER_TRAY_RETRY);
    }
}

void CTrayPresence::OnTaskbarCreated()
{
    trayIcon.Restore();
    if (trayIcon.IsShown()) {
        retriesLeft = 0;
        KillTimer(frame, TIMER_TRAY_RETRY);
    }
}

// The change comes sent, so it can arrive while the icon waits on the shell
// in the middle of showing a picture: the pictures change from the message
// loop instead.
void CTrayPresence::OnSettingChange()
{
    PostMessageA(frame, WM_TRAY_PICTURES, 0, 0);
}

void CTrayPresence::OnTrayPictures()
{
    CTrayPictureSet suiting;
    if (suiting.SameAs(pictures)) {
        return;
    }
    // The pictures shown until now go only once the new ones are on show.
    std::swap(pictures, suiting);
    ShowPictures();
}

void CTrayPresence::ShowPictures()
{
    if (on) {
        const auto shown = pictures.Running();
        trayIcon.Animate(shown.data(), pictures.RunningCount(), 500);
    } else {
        trayIcon.SetIcon(pictures.Idle());
    }
}

void CTrayPresence::ShowTip()
{
    trayIcon.SetTip(status.Text().c_str());
}
