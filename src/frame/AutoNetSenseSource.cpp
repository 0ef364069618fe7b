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
        redialedDrop.clear();
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
    redialedDrop.clear();
    StopPresenceCheck();
}

// The watch sends its news and waits: it is acted on once the message loop
// comes round to it, never inside a wait on the shell.
// The drop of a line that Quellor dials again is no end yet.
bool CAutoNetSenseSource::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (message == WM_NET_CONNECTED) {
        redialedDrop.clear();
        PostMessageA(frame, WM_NET_CHANGE_POSTED, 1, 0);
    } else if (message == WM_NET_DISCONNECTED) {
        // NOLINTNEXTLINE(performance-no-int-to-ptr): the watch's record, valid during the call
        const auto* gone = reinterpret_cast<const ConnectionRecord*>(lParam);
        if (gone != nullptr && redial.WillRedial(gone->entryName)) {
            redialedDrop = gone->entryName;
        } else {
            PostMessageA(frame, WM_NET_CHANGE_POSTED, 0, 0);
        }
    } else if (message == WM_REDIAL_STOPPED) {
        EndRedialedDrop();
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

void CAutoNetSenseSource::EndRedialedDrop()
{
    if (!redialedDrop.empty() && !redial.WillRedial(redialedDrop)) {
        redialedDrop.clear();
        sources.Ended(ActivityCause::AutoNetSense);
    }
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
