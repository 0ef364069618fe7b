// The activity scheduler: switching the keep-alive activity on and off and
// following AutoNetSense and the America Online time-keeper window.
#include "frame/MainFrame.h"

#include "engine/ContactPlan.h"
#include "res/resource.h"
#include "settings/Settings.h"

void CMainFrame::StartActivity()
{
    urlIndex = 0;
    aolFlag = settings::Read(keys::IsAOL);
    if (aolFlag == 0) {
        aolFlag = settings::Read(keys::IsAOL4);
    }
    aolTimerTitle = settings::Read(keys::AOL47);
    isHttp = settings::Read(keys::IsHttp);
    isRandom = settings::Read(keys::IsRand);
    intervalMinutes = settings::Read(keys::DefaultMin);
    proxyEnabled = settings::Read(keys::Proxy);
    proxyAddress = settings::Read(keys::ProxyIP3);
    prodigyFlag = settings::Read(keys::Prodigy);
    prodigyTitle = settings::Read(keys::ProdigyMSG);
    if (!trayIcon.IsAnimating()) {
        running = 1;
        ShowActivityPictures();
        if (aolFlag != 0 || prodigyFlag != 0) {
            SetTimer(hwnd, TIMER_WARNINGS, 3000, nullptr);
        }
    }
    SetTimer(hwnd, TIMER_CONTACT, ContactPeriodMs(intervalMinutes), nullptr);
}

void CMainFrame::StopActivity()
{
    KillTimer(hwnd, TIMER_WARNINGS);
    KillTimer(hwnd, TIMER_CONTACT);
    contactWorker.CutShort();
    trayIcon.SetIcon(pictures.Idle());
    running = 0;
}

LRESULT CMainFrame::OnAutoNetSenseConnected(WPARAM, LPARAM)
{
    StartActivity();
    return 0;
}

LRESULT CMainFrame::OnAutoNetSenseDisconnected(WPARAM, LPARAM)
{
    trayIcon.SetIcon(pictures.Idle());
    running = 0;
    KillTimer(hwnd, TIMER_CONTACT);
    contactWorker.CutShort();
    return 0;
}

void CMainFrame::CheckAolPresence()
{
    const bool present = FindWindowA("_AOL_TimeKeeper", "") != nullptr;
    if (present && !aolClientSeen) {
        StartActivity();
    } else if (!present && aolClientSeen) {
        StopActivity();
    }
    aolClientSeen = present;
}
