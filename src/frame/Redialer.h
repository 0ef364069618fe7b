#pragma once
// Dials the entries that Redial names again when they are not connected
// while the activity is ON: at ON, and whenever one drops. A failure that
// may pass is tried again after a pause that grows; one that retrying cannot
// mend (a wrong password: every try would count towards a lock-out), or ten
// in a row, end the dialing of that entry until the next ON or a change of
// the settings. The user hears of a drop, a return and the end of the
// dialing in balloons. Nothing runs, waits or fires while OFF or with no
// entry named; OFF hangs up nothing.
#include "engine/EntryDialer.h"
#include "engine/RedialWatch.h"
#include "frame/AutoNetSenseSource.h"
#include "settings/RedialSettings.h"
#include "tray/TrayPresence.h"

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

// Where the news goes: the frame.
class CRedialTarget {
public:
    // What the tip tells has changed, with a balloon to show or none.
    virtual void RedialChanged(const TrayBalloon* balloon) = 0;
    // A dial ended: "connected", or the system's text for its failure.
    virtual void RedialDialed(const std::string& entry, const std::string& result) = 0;

    CRedialTarget() = default;
    CRedialTarget(const CRedialTarget&) = delete;
    CRedialTarget& operator=(const CRedialTarget&) = delete;
    virtual ~CRedialTarget() = default;
};

class CRedialer final : public CRedialQuery {
public:
    explicit CRedialer(CRedialTarget& target) : target(target) {}

    void Attach(HWND frameWindow) { frame = frameWindow; }
    // The activity is ON: reads the settings and starts watching the named
    // entries. Nothing changes when it was ON already.
    void SwitchOn();
    // OFF, or the end: no dial starts any more. A dial under way is left to
    // end by itself; a connection it makes stays up.
    void SwitchOff();
    // The settings may have changed: while ON, changed ones start afresh.
    void Follow();

    // WM_REDIAL_POLLED, WM_REDIAL_LOOK, WM_REDIAL_DIALED and the TIMER_REDIAL
    // tick; false for any other message.
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    bool WillRedial(const std::string& entry) const override;
    // The entry the tip names and when it is tried next.
    void Show(ActivityShown& activity) const;

private:
    enum class State { Unseen, Up, Waiting, GaveUp };
    struct Entry {
        std::string name;
        State state = State::Unseen;
        int failures = 0;
        // The drop that was told, and when it was seen (tick counts).
        bool dropTold = false;
        DWORD downSince = 0;
        DWORD nextTry = 0;
        SYSTEMTIME nextTryTime = {};
    };

    void LookAtEntries();
    void OnDialed();
    // The entry is up again: the balloon that says so after a drop was told.
    static std::optional<TrayBalloon> Back(Entry& entry);
    TrayBalloon GiveUp(Entry& entry, const std::string& why);
    // Starts the next dial that is due, if none is under way, and sets the
    // timer for the next try after it; true when a dial started.
    bool DialWhatIsDue();
    // Tells the frame, with the balloon when the user wants balloons.
    void Tell(const TrayBalloon* balloon);

    CRedialTarget& target;
    HWND frame = nullptr;
    bool on = false;
    // The watch has told what is up since this ON.
    bool polled = false;
    RedialSettings chosen;
    std::vector<Entry> entries;
    std::vector<std::string> entriesUp;
    CRedialWatch watch;
    CEntryDialer dialer;
};
