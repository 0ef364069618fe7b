// The activity scheduler: switching the keep-alive activity on and off and
// following AutoNetSense and the America Online time-keeper window.
#include "frame/MainFrame.h"

#include "engine/ContactPlan.h"
#include "res/resource.h"
#include "settings/Settings.h"

// The state changes first and the tray icon's picture last: the shell's wait
// lets sent messages in, and whatever they switch stays switched.
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
    const int intervalMinutes = settings::Read(keys::DefaultMin);
    proxyAddress = settings::Read(keys::ProxyIP3);
    const int prodigyFlag = settings::Read(keys::Prodigy);
    prodigyTitle = settings::Read(keys::ProdigyMSG);
    SetTimer(hwnd, TIMER_CONTACT, ContactPeriodMs(intervalMinutes), nullptr);
    if (!trayIcon.IsAnimating()) {
        running = 1;
        if (aolFlag != 0 || prodigyFlag != 0) {
            SetTimer(hwnd, TIMER_WARNINGS, 3000, nullptr);
        }
        ShowActivityPictures();
    }
    ShowStatus();
}

void CMainFrame::StopActivity()
{
    KillTimer(hwnd, TIMER_WARNINGS);
    KillTimer(hwnd, TIMER_CONTACT);
    contactWorker.CutShort();
    running = 0;
    trayIcon.SetIcon(pictures.Idle());
    ShowStatus();
}

void CMainFrame::OnActivityOn()
{
    EndTimeLimit();
    StartActivity();
}

void CMainFrame::OnActivityOff()
{
    EndTimeLimit();
    StopActivity();
}

void CMainFrame::SwitchOnFor(int minutes)
{
    EndTimeLimit();
    if (minutes > 0 && SetTimer(hwnd, TIMER_ON_LIMIT, static_cast<UINT>(minutes) * 60000U, nullptr) != 0) {
        SYSTEMTIME now = {};
        GetLocalTime(&now);
        FILETIME stamp = {};
        SystemTimeToFileTime(&now, &stamp);
        ULARGE_INTEGER ticks = {};
        ticks.LowPart = stamp.dwLowDateTime;
        ticks.HighPart = stamp.dwHighDateTime;
        ticks.QuadPart += static_cast<ULONGLONG>(minutes) * 60 * 10000000;
        stamp.dwLowDateTime = ticks.LowPart;
        stamp.dwHighDateTime = ticks.HighPart;
        timeLimited = FileTimeToSystemTime(&stamp, &limitEnd) != FALSE;
    }
    StartActivity();
}

void CMainFrame::EndTimeLimit()
{
    KillTimer(hwnd, TIMER_ON_LIMIT);
    timeLimited = false;
}

void CMainFrame::ShowStatus()
{
    if (running == 1) {
        status.SwitchedOn(timeLimited ? &limitEnd : nullptr);
    } else if (autoNetSense.IsWatching()) {
        status.SwitchedOff(CTrayStatus::Waiting::DialUp);
    } else {
        status.SwitchedOff(aolPresenceWatched ? CTrayStatus::Waiting::AmericaOnline : CTrayStatus::Waiting::Nothing);
    }
    trayIcon.SetTip(status.Text().c_str());
}

// NOLINTNEXTLINE(bugprone-easily-swappable-parameters): a window message's parameters, in its order
LRESULT CMainFrame::OnRemoteCommand(WPARAM command, LPARAM minutes)
{
    switch (command) {
    case kRemoteOn:
        SwitchOnFor(static_cast<int>(minutes));
        break;
    case kRemoteOff:
        OnActivityOff();
        break;
    case kRemoteExit:
        OnExit();
        break;
    default:
        break;
    }
    return 0;
}

// A contact cut short by OFF reports nothing; one that ended reports even
// after OFF, and the tip keeps it.
LRESULT CMainFrame::OnContactDone(WPARAM outcome, LPARAM)
{
    if (outcome > static_cast<WPARAM>(ContactOutcome::NoConnection)) {
        return 0;
    }
    SYSTEMTIME now = {};
    GetLocalTime(&now);
    status.ContactEnded(static_cast<ContactOutcome>(outcome), now);
    ShowStatus();
    return 0;
}

// The watch sends its news and waits; they are acted on once the message
// loop comes round to them, never inside a wait on the shell.
LRESULT CMainFrame::OnAutoNetSenseConnected(WPARAM, LPARAM)
{
    PostMessageA(hwnd, WM_NET_CHANGE_POSTED, 1, 0);
    return 0;
}

LRESULT CMainFrame::OnAutoNetSenseDisconnected(WPARAM, LPARAM)
{
    PostMessageA(hwnd, WM_NET_CHANGE_POSTED, 0, 0);
    return 0;
}

LRESULT CMainFrame::OnNetChange(WPARAM connected, LPARAM)
{
    EndTimeLimit();
    if (connected != 0) {
        StartActivity();
        return 0;
    }
    running = 0;
    KillTimer(hwnd, TIMER_CONTACT);
    contactWorker.CutShort();
    trayIcon.SetIcon(pictures.Idle());
    ShowStatus();
    return 0;
}

void CMainFrame::CheckAolPresence()
{
    const bool present = FindWindowA("_AOL_TimeKeeper", "") != nullptr;
    if (present && !aolClientSeen) {
        EndTimeLimit();
        StartActivity();
    } else if (!present && aolClientSeen) {
        EndTimeLimit();
        StopActivity();
    }
    aolClientSeen = present;
}
