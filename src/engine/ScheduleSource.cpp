#include "engine/ScheduleSource.h"

#include "res/AppMessages.h"
#include "settings/TimeUnits.h"

#include <algorithm>

namespace {

// The timer fires a little after the edge, so that the look finds it passed.
constexpr LONGLONG kAfterEdgeMs = 500;
constexpr LONGLONG kSoonestMs = 1000;

}  // namespace

void CScheduleSource::Start(HWND timerWindow, const ScheduleWindow& chosen)
{
    Stop();
    window = timerWindow;
    schedule = chosen;
    Check();
}

void CScheduleSource::Stop()
{
    if (window != nullptr) {
        KillTimer(window, TIMER_SCHEDULE);
        window = nullptr;
    }
    inside = false;
    hasEdge = false;
}

bool CScheduleSource::Check()
{
    if (window == nullptr) {
        return false;
    }
    const CZoneClock clock;
    const SYSTEMTIME now = CZoneClock::Now();
    const SYSTEMTIME reading = clock.ReadingAt(now);
    const ScheduleState state =
        ScheduleAt(schedule, reading.wDayOfWeek, reading.wHour * kMinutesPerHour + reading.wMinute);
    const bool changed = state.inside != inside;
    inside = state.inside;
    Arm(clock, now, state.minutesToEdge);
    return changed;
}

void CScheduleSource::Arm(const CZoneClock& clock, const SYSTEMTIME& now, int minutesToEdge)
{
    hasEdge = false;
    KillTimer(window, TIMER_SCHEDULE);
    if (minutesToEdge <= 0) {
        return;
    }
    // The windows are drawn on the clock's face, so the edge is counted in
    // its minutes and only then placed in time.
    SYSTEMTIME minuteStart = clock.ReadingAt(now);
    minuteStart.wSecond = 0;
    minuteStart.wMilliseconds = 0;
    const SYSTEMTIME edgeReading =
        CZoneClock::Later(minuteStart, static_cast<LONGLONG>(minutesToEdge) * kMsPerMinute);
    if (!clock.WhenReads(edgeReading, now, edgeInstant)) {
        return;
    }
    nextEdge = clock.ReadingAt(edgeInstant);
    hasEdge = true;
    // Beyond the longest period a window timer takes, the look is only
    // repeated on the way.
    const LONGLONG delay = std::clamp(CZoneClock::MsBetween(now, edgeInstant) + kAfterEdgeMs, kSoonestMs,
                                      static_cast<LONGLONG>(USER_TIMER_MAXIMUM));
    SetTimer(window, TIMER_SCHEDULE, static_cast<UINT>(delay), nullptr);
}

bool CScheduleSource::NextEdge(SYSTEMTIME& edge) const
{
    if (!hasEdge) {
        return false;
    }
    edge = nextEdge;
    return true;
}

bool CScheduleSource::NextEdgeADayAway() const
{
    if (!hasEdge) {
        return false;
    }
    const CZoneClock clock;
    const SYSTEMTIME now = CZoneClock::Now();
    return clock.MsUntilMinute(now, nextEdge.wHour * kMinutesPerHour + nextEdge.wMinute) <
           CZoneClock::MsBetween(now, edgeInstant);
}
