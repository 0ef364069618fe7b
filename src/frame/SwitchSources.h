#pragma once
// Every source that switches the activity by itself, and the one rule by
// which they combine: a source whose condition begins switches the activity
// ON; one whose condition ends switches it OFF unless another source's
// condition still holds. What the user switches (menu, switch, hot key)
// stands until the next edge of any source.
//
// The connections, programs and schedule sources and the hot key live here;
// AutoNetSense and the America Online presence (CAutoNetSenseSource) report
// their edges through Began and Ended. The frame routes the window
// messages and timers named below, and hears back once per look: what the
// sources see now, and the switch it asks for. Nothing here runs, waits or
// fires for a source that is off.
#include "engine/ConnectionsSource.h"
#include "engine/HotKey.h"
#include "engine/ProgramsSource.h"
#include "engine/ScheduleSource.h"
#include "frame/ActivityCause.h"
#include "res/AppMessages.h"
#include "settings/SwitchSettings.h"
#include "tray/SwitchReason.h"

#include <windows.h>

// A switch of the activity that the sources ask for.
enum class SourceSwitch { None, On, Off };

// What the sources switch: the main frame.
class CActivitySwitch {
public:
    // What the sources see now, for the tip, and the switch it asks for
    // (with its cause). Nothing calls back into the sources from here.
    virtual void SourcesChanged(const SwitchReasons& reasons, SourceSwitch switchTo, ActivityCause cause) = 0;
    virtual bool IsRunning() const = 0;

    CActivitySwitch() = default;
    CActivitySwitch(const CActivitySwitch&) = delete;
    CActivitySwitch& operator=(const CActivitySwitch&) = delete;
    virtual ~CActivitySwitch() = default;
};

class CSwitchSources {
public:
    explicit CSwitchSources(CActivitySwitch& target) : target(target) {}
    CSwitchSources(const CSwitchSources&) = delete;
    CSwitchSources& operator=(const CSwitchSources&) = delete;
    ~CSwitchSources() { Stop(); }

    // Starts the sources the settings name, for the frame's window, and
    // registers the hot key. Called again with new settings it restarts
    // them: a condition that held and still holds is no edge, one that
    // begins or ends is. May switch the activity before it returns (a
    // window of the schedule under way, a named program that runs), and
    // tells the frame what it sees in any case.
    void Start(HWND frame, const SwitchSettings& chosen);
    // Stops every source and lets go of the hot key.
    void Stop();

    // An edge of AutoNetSense or of America Online's presence, or of one of
    // the sources here.
    void Began(ActivityCause cause);
    void Ended(ActivityCause cause);
    bool Holds(ActivityCause cause) const { return (holding & Bit(cause)) != 0; }

    // The window messages of the sources, routed here by the frame: its
    // timers TIMER_SCHEDULE, TIMER_PROGRAMS_POLL, TIMER_CONNECTIONS_POLL and
    // TIMER_CONNECTIONS_SETTLE, WM_TIMECHANGE, WM_POWERBROADCAST (after a
    // resume every source looks again), WM_HOTKEY (the user's hot key
    // toggles the activity), and the sources' own WM_SWITCH_CONNECTIONS and
    // WM_SWITCH_PROGRAM_ENDED. False for any other message.
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    // The chosen hot key is another program's (the Set Up page says so).
    bool IsHotKeyTaken() const { return hotKey.IsTaken(); }

private:
    // For the tip: what holds and what is awaited.
    SwitchReasons Reasons() const;
    void Tell(SourceSwitch switchTo, ActivityCause cause);
    bool OnTimer(UINT_PTR timerId);
    void OnPowerBroadcast(WPARAM event);
    void OnHotKey(WPARAM id);
    void LookAtSchedule();
    void LookAtPrograms();
    static unsigned Bit(ActivityCause cause) { return 1U << static_cast<unsigned>(cause); }
    bool SourceHolds(ActivityCause cause) const;
    // A source's condition as it is now, after a start or a restart.
    void Settle(ActivityCause cause);
    // One look of a source: an edge when its condition changed, else
    // perhaps news for the tip.
    template <class Look>
    void LookAgain(ActivityCause cause, Look look);

    CActivitySwitch& target;
    SwitchSettings settings;
    unsigned holding = 0;
    CConnectionsSource connections;
    CProgramsSource programs;
    CScheduleSource schedule;
    CHotKey hotKey;
    // What the frame was last told, so that a look that changed nothing
    // tells nothing.
    SwitchReasons told;
};
