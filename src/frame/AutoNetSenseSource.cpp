#include "frame/AutoNetSenseSource.h"

#include "frame/ActivityOptions.h"
#include "settings/Settings.h"

#include <utility>

void CAutoNetSenseSource::Follow(HWND frameWindow)
{
    frame = frameWindow;
    const bool wanted = settings::Read(keys::AutoNetSense) != 0;
    const bool aol = wanted && ReadAolFlag() != 0;
    if ((!wanted || aol) && autoNetSense.IsWatching()) {
        autoNetSense.Stop();
        if (sources.Holds(ActivityCause::AutoNetSense)) {
            sources.Ended(ActivityCause::AutoNetSense);
        }
    }
    if (!aol && aolPresenceWatched) {
        StopPresenceCheck();
        if (std::exchange(aolClientSeen, false)) {
            sources.Ended(ActivityCause::AmericaOnline);
        }
    }
    if (aol && !aolPresenceWatched) {
        aolPresenceWatched = SetTimer(frame, TIMER_AOL_PRESENCE, 10000, nullptr) != 0;
    } else if (wanted && !aol && !autoNetSense.IsWatching()) {
        autoNetSense.Start(frame);
    }
}

void CAutoNetSenseSource::StopPresenceCheck()
{
    if (frame != nullptr) {
        KillTimer(frame, TIMER_AOL_PRESENCE);
    }
    aolPresenceWatched = false;
}

void CAutoNetSenseSource::Stop()
{
    autoNetSense.Stop();
    StopPresenceCheck();
}

// The watch sends its news and waits: it is acted on once the message loop
// comes round to it, never inside a wait on the shell.
bool CAutoNetSenseSource::OnMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result)
{
    if (message == WM_NET_CONNECTED || message == WM_NET_DISCONNECTED) {
        PostMessageA(frame, WM_NET_CHANGE_POSTED, message == WM_NET_CONNECTED ? 1 : 0, 0);
    } else if (message == WM_NET_CHANGE_POSTED && wParam != 0) {
        sources.Began(ActivityCause::AutoNetSense);
    } else if (message == WM_NET_CHANGE_POSTED) {
        sources.Ended(ActivityCause::AutoNetSense);
    } else if (message == WM_TIMER && wParam == TIMER_AOL_PRESENCE) {
        CheckAolPresence();
    } else {
        return false;
    }
    result = 0;
    return true;
}

void CAutoNetSenseSource::CheckAolPresence()
{
    const bool present = FindWindowA("_AOL_TimeKeeper", "") != nullptr;
    if (present && !aolClientSeen) {
        sources.Began(ActivityCause::AmericaOnline);
    } else if (!present && aolClientSeen) {
        sources.Ended(ActivityCause::AmericaOnline);
    }
    aolClientSeen = present;
}
