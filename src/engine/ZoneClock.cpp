#include "engine/ZoneClock.h"

#include "settings/TimeUnits.h"

#include <algorithm>

namespace {

constexpr LONGLONG kTicksPerMs = 10000;
constexpr LONGLONG kTicksPerMinute = kTicksPerMs * kMsPerMinute;
constexpr LONGLONG kMsPerDay = static_cast<LONGLONG>(kMsPerMinute) * kMinutesPerDay;

// FILETIME's count of 100 ns since 1601, which adds and subtracts plainly;
// 0 for a time outside its range.
LONGLONG Ticks(const SYSTEMTIME& time)
{
    FILETIME stamp = {};
    if (!SystemTimeToFileTime(&time, &stamp)) {
        return 0;
    }
    ULARGE_INTEGER value = {};
    value.LowPart = stamp.dwLowDateTime;
    value.HighPart = stamp.dwHighDateTime;
    return static_cast<LONGLONG>(value.QuadPart);
}

SYSTEMTIME TimeOf(LONGLONG ticks)
{
    ULARGE_INTEGER value = {};
    value.QuadPart = static_cast<ULONGLONG>(std::max<LONGLONG>(ticks, 0));
    const FILETIME stamp = {value.LowPart, value.HighPart};
    SYSTEMTIME time = {};
    FileTimeToSystemTime(&stamp, &time);
    return time;
}

TIME_ZONE_INFORMATION Usable(const TIME_ZONE_INFORMATION& zone)
{
    const SYSTEMTIME probe = {2000, 1, 6, 1, 0, 0, 0, 0};
    SYSTEMTIME reading = {};
    return SystemTimeToTzSpecificLocalTime(&zone, &probe, &reading) ? zone : TIME_ZONE_INFORMATION{};
}

TIME_ZONE_INFORMATION ComputerZone()
{
    TIME_ZONE_INFORMATION zone = {};
    return GetTimeZoneInformation(&zone) == TIME_ZONE_ID_INVALID ? TIME_ZONE_INFORMATION{} : zone;
}

}  // namespace

CZoneClock::CZoneClock() : zone(Usable(ComputerZone())) {}

CZoneClock::CZoneClock(const TIME_ZONE_INFORMATION& chosen) : zone(Usable(chosen)) {}

SYSTEMTIME CZoneClock::Now()
{
    SYSTEMTIME now = {};
    GetSystemTime(&now);
    return now;
}

SYSTEMTIME CZoneClock::Later(const SYSTEMTIME& time, LONGLONG milliseconds)
{
    return TimeOf(Ticks(time) + milliseconds * kTicksPerMs);
}

LONGLONG CZoneClock::MsBetween(const SYSTEMTIME& from, const SYSTEMTIME& to)
{
    return (Ticks(to) - Ticks(from)) / kTicksPerMs;
}

SYSTEMTIME CZoneClock::ReadingAt(const SYSTEMTIME& instant) const
{
    SYSTEMTIME reading = instant;
    SystemTimeToTzSpecificLocalTime(&zone, &instant, &reading);
    return reading;
}

LONGLONG CZoneClock::LocalTicks(LONGLONG instant) const
{
    return Ticks(ReadingAt(TimeOf(instant)));
}

bool CZoneClock::WhenReads(const SYSTEMTIME& reading, const SYSTEMTIME& after, SYSTEMTIME& instant) const
{
    // A zone has two offsets from UTC, so a reading can only come at one of
    // two instants: the one each offset gives, if that offset is in force
    // then.
    const LONGLONG target = Ticks(reading);
    const LONG standard = zone.Bias + zone.StandardBias;
    const LONG daylight = zone.Bias + zone.DaylightBias;
    const LONGLONG early = target + std::min(standard, daylight) * kTicksPerMinute;
    const LONGLONG late = target + std::max(standard, daylight) * kTicksPerMinute;
    const LONGLONG from = Ticks(after);
    LONGLONG when = 0;
    if (LocalTicks(early) == target && early > from) {
        when = early;
    } else if (LocalTicks(late) == target && late > from) {
        when = late;
    } else if (LocalTicks(early) < target && LocalTicks(late) > target) {
        when = FirstPast(target, early, late);
    }
    if (when <= from) {
        return false;
    }
    instant = TimeOf(when);
    return true;
}

// The moment the clock jumps past a reading it skips, to the millisecond:
// it reads less at `before` and more at `after`.
LONGLONG CZoneClock::FirstPast(LONGLONG reading, LONGLONG before, LONGLONG after) const
{
    while (after - before > kTicksPerMs) {
        const LONGLONG middle = before + (after - before) / (2 * kTicksPerMs) * kTicksPerMs;
        (LocalTicks(middle) < reading ? before : after) = middle;
    }
    return after;
}

LONGLONG CZoneClock::MsUntilMinute(const SYSTEMTIME& now, int minuteOfDay) const
{
    const int minute = ((minuteOfDay % kMinutesPerDay) + kMinutesPerDay) % kMinutesPerDay;
    SYSTEMTIME reading = ReadingAt(now);
    reading.wHour = static_cast<WORD>(minute / kMinutesPerHour);
    reading.wMinute = static_cast<WORD>(minute % kMinutesPerHour);
    reading.wSecond = 0;
    reading.wMilliseconds = 0;
    // Today's reading, or tomorrow's once today's has passed.
    SYSTEMTIME instant = {};
    if (WhenReads(reading, now, instant) || WhenReads(Later(reading, kMsPerDay), now, instant)) {
        return MsBetween(now, instant);
    }
    return kMsPerDay;
}
