#pragma once
// The schedule as a source: holds inside a window, with one window timer
// (TIMER_SCHEDULE) set to the next edge, never a poll. The clock is looked
// at again whenever that timer fires, the time is changed or the computer
// resumes, so a timer that fired early or late only moves the next look.
#include "engine/ScheduleWindow.h"
#include "engine/ZoneClock.h"

#include <windows.h>

class CScheduleSource {
public:
    CScheduleSource() = default;
    CScheduleSource(const CScheduleSource&) = delete;
    CScheduleSource& operator=(const CScheduleSource&) = delete;
    ~CScheduleSource() { Stop(); }

    // Looks at the clock and sets the timer on the window; afterwards
    // Holds() says whether now is inside a window.
    void Start(HWND timerWindow, const ScheduleWindow& schedule);
    void Stop();
    bool Holds() const { return inside; }
    // Looks at the clock again and sets the timer to the next edge; true
    // when a window began or ended since the last look.
    bool Check();
    // The local time of the next edge (a window's end while Holds(), the
    // next start otherwise); false when none will come.
    bool NextEdge(SYSTEMTIME& edge) const;
    // True when the local clock reads the next edge's time of day before
    // the edge comes, so that its clock time alone would name an earlier
    // moment.
    bool NextEdgeADayAway() const;

private:
    void Arm(const CZoneClock& clock, const SYSTEMTIME& now, int minutesToEdge);

    HWND window = nullptr;
    ScheduleWindow schedule;
    bool inside = false;
    bool hasEdge = false;
    SYSTEMTIME nextEdge = {};     // as the clock will read it
    SYSTEMTIME edgeInstant = {};  // UTC
};
