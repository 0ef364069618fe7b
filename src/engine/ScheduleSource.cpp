#include "engine/ScheduleSource.h"

#include "res/AppMessages.h"

#include <algorithm>

namespace {

constexpr LONGLONG kTicksPerMs = 10000;
constexpr LONGLONG kTicksPerMinute = kTicksPerMs * 60 * 1000;
constexpr LONGLONG kTicksPerDay = kTicksPerMinute * 60 * 24;
// The timer fires a little after the edge, so that the look finds it passed.
constexpr LONGLONG kAfterEdgeMs = 500;
constexpr LONGLONG kSoonestMs = 1000;

LONGLONG Ticks(const FILETIME& time)
{
    ULARGE_INTEGER value = {};
    value.LowPart = time.dwLowDateTime;
    value.HighPart = time.dwHighDateTime;
    return static_cast<LONGLONG>(value.QuadPart);
}

FILETIME FileTime(LONGLONG ticks)
{
    ULARGE_INTEGER value = {};
    value.QuadPart = static_cast<ULONGLONG>(ticks);
    return {value.LowPart, value.HighPart};
}

// Milliseconds until the local time edge, through the time zone's rules:
// across a change to or from daylight saving time a local hour is not an
// hour of waiting.
LONGLONG MsUntilLocal(const SYSTEMTIME& edge, const SYSTEMTIME& now)
{
    SYSTEMTIME edgeUtc = {};
    FILETIME edgeTime = {};
    FILETIME nowTime = {};
    if (TzSpecificLocalTimeToSystemTime(nullptr, &edge, &edgeUtc) && SystemTimeToFileTime(&edgeUtc, &edgeTime)) {
        GetSystemTimeAsFileTime(&nowTime);
    } else if (!SystemTimeToFileTime(&edge, &edgeTime) || !SystemTimeToFileTime(&now, &nowTime)) {
        return kSoonestMs;
    }
    return (Ticks(edgeTime) - Ticks(nowTime)) / kTicksPerMs;
}

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
    SYSTEMTIME now = {};
    GetLocalTime(&now);
    const ScheduleState state = ScheduleAt(schedule, now.wDayOfWeek, now.wHour * 60 + now.wMinute);
    const bool changed = state.inside != inside;
    inside = state.inside;
    Arm(now, state.minutesToEdge);
    return changed;
}

void CScheduleSource::Arm(const SYSTEMTIME& now, int minutesToEdge)
{
    hasEdge = false;
    KillTimer(window, TIMER_SCHEDULE);
    if (minutesToEdge <= 0) {
        return;
    }
    SYSTEMTIME minuteStart = now;
    minuteStart.wSecond = 0;
    minuteStart.wMilliseconds = 0;
    FILETIME start = {};
    if (!SystemTimeToFileTime(&minuteStart, &start)) {
        return;
    }
    const FILETIME edge = FileTime(Ticks(start) + minutesToEdge * kTicksPerMinute);
    if (!FileTimeToSystemTime(&edge, &nextEdge)) {
        return;
    }
    hasEdge = true;
    // Beyond the longest period a window timer takes, the look is only
    // repeated on the way.
    const LONGLONG delay =
        std::clamp(MsUntilLocal(nextEdge, now) + kAfterEdgeMs, kSoonestMs, static_cast<LONGLONG>(USER_TIMER_MAXIMUM));
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
    SYSTEMTIME now = {};
    GetLocalTime(&now);
    FILETIME nowTime = {};
    FILETIME edgeTime = {};
    return hasEdge && SystemTimeToFileTime(&now, &nowTime) && SystemTimeToFileTime(&nextEdge, &edgeTime) &&
           Ticks(edgeTime) - Ticks(nowTime) >= kTicksPerDay;
}
