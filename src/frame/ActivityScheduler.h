#pragma once
// The keep-alive activity: while ON, one network contact per period with the
// next host, for online-service users the warnings clicked away, and the
// computer kept awake when the user asks for it. It runs on the main
// frame's window timers; the frame decides when it runs.
#include "engine/ContactWorker.h"
#include "engine/KeepAwake.h"
#include "engine/QuietLine.h"
#include "frame/ActivityOptions.h"

#include <windows.h>

#include <optional>

// The real time from now until the computer's clock next reads minuteOfDay
// (minutes after midnight), across any change of daylight saving time in
// between; a whole day when it reads it now.
DWORD MillisecondsUntilClock(int minuteOfDay);

class CActivityScheduler {
public:
    void Attach(HWND frameWindow) { frame = frameWindow; }

    // Reads the options of this ON and starts the contact period afresh;
    // the warning timer starts only when the activity was off.
    void SwitchOn();
    // keepWarnings leaves the warning timer running.
    void SwitchOff(bool keepWarnings);
    bool IsRunning() const { return running == 1; }
    // Whether an ON keeps the computer awake, and on battery power too;
    // takes effect at once.
    void KeepAwakeWhileOn(bool wanted, bool onBatteryToo);
    // The computer changed between mains and battery power.
    void OnPowerStatusChange() { ApplyKeepAwake(); }

    // Ends the activity by itself after this long (TIMER_ON_LIMIT).
    void LimitTo(DWORD milliseconds);
    void EndLimit();
    // The local time at which the limit ends, or null for none.
    const SYSTEMTIME* LimitEnd() const { return timeLimited ? &limitEnd : nullptr; }

    // One network contact with the next host (TIMER_CONTACT); or, when only
    // a quiet line is contacted and it was busy, none: then the bytes it
    // carried since the last tick.
    std::optional<ULONGLONG> OnContactTick();
    // The tick's contact is over: the line's next quiet spell starts now, so
    // that the contact's own traffic never counts.
    void ContactEnded();
    // Clicks away the online services' warning windows (TIMER_WARNINGS).
    void DismissWarningWindows() const;
    // The program ends: OFF, and no timer of the activity fires again.
    void Stop();
    // The contacts' maker, for what the last one was.
    const CContactWorker& Contacts() const { return contactWorker; }

private:
    void ApplyKeepAwake();

    HWND frame = nullptr;
    ActivityOptions options;
    int running = 0;
    int urlIndex = 0;
    bool timeLimited = false;
    SYSTEMTIME limitEnd = {};
    // Makes each tick's contact on a thread of its own.
    CContactWorker contactWorker;
    bool keepAwakeWanted = false;
    bool keepAwakeOnBattery = false;
    CKeepAwake keepAwake;
    CQuietLine quietLine;
};
