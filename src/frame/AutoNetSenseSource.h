#pragma once
// AutoNetSense as the user chose it: the dial-up watch, or for America
// Online users a look every ten seconds for the service's time-keeper window
// (TIMER_AOL_PRESENCE), and neither when it is off. Its edges go to the
// switch sources like any source's.
#include "engine/AutoNetSenseWatch.h"
#include "frame/SwitchSources.h"

#include <windows.h>

#include <string>

// Whether Quellor dials an entry again: its drop is then no end.
class CRedialQuery {
public:
    virtual bool WillRedial(const std::string& entry) const = 0;

    CRedialQuery() = default;
    CRedialQuery(const CRedialQuery&) = delete;
    CRedialQuery& operator=(const CRedialQuery&) = delete;
    virtual ~CRedialQuery() = default;
};

class CAutoNetSenseSource {
public:
    CAutoNetSenseSource(CSwitchSources& sources, const CRedialQuery& redial) : sources(sources), redial(redial) {}
    CAutoNetSenseSource(const CAutoNetSenseSource&) = delete;
    CAutoNetSenseSource& operator=(const CAutoNetSenseSource&) = delete;
    ~CAutoNetSenseSource() = default;

    // Starts, changes or stops the watch as the stored settings ask, for the
    // frame's window. A watch that stops while its condition holds ends it.
    void Follow(HWND frame);
    // At exit: the dial-up watch ends and the time-keeper window is looked
    // for no more, and neither reports an edge.
    void Stop();

    // The frame's messages go here first: the watch's WM_NET_CONNECTED and
    // WM_NET_DISCONNECTED, WM_NET_CHANGE_POSTED, WM_REDIAL_STOPPED and the
    // TIMER_AOL_PRESENCE tick. False for any other message.
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    bool IsWaitingForDialUp() const { return autoNetSense.IsWatching(); }
    bool IsWaitingForAmericaOnline() const { return aolPresenceWatched; }

private:
    void StopPresenceCheck();
    void CheckAolPresence();

    void EndRedialedDrop();

    CSwitchSources& sources;
    const CRedialQuery& redial;
    HWND frame = nullptr;
    // The last line's drop, left to the dialing: AutoNetSense's end waits
    // until Quellor stops dialing it.
    std::string redialedDrop;
    CAutoNetSenseWatch autoNetSense;
    bool aolPresenceWatched = false;
    // The America Online time-keeper window was there at the last check.
    bool aolClientSeen = false;
};
