#pragma once
// The local clock of one time zone, changes to and from daylight saving time
// included. Every step between the instants that timers count and the times
// a user reads goes through here: local time is not linear, so no other
// code adds to it or subtracts from it. An instant is a SYSTEMTIME in UTC, a
// reading one in local time.
#include <windows.h>

class CZoneClock {
public:
    // The computer's zone, as Windows has it now.
    CZoneClock();
    // A zone whose rules Windows rejects is read as UTC.
    explicit CZoneClock(const TIME_ZONE_INFORMATION& zone);

    static SYSTEMTIME Now();
    // The time this many milliseconds after another, on the same scale.
    static SYSTEMTIME Later(const SYSTEMTIME& time, LONGLONG milliseconds);
    // From one instant to another; negative when `to` comes first.
    static LONGLONG MsBetween(const SYSTEMTIME& from, const SYSTEMTIME& to);

    // What the clock reads at an instant.
    // The reading that many real milliseconds from now.
    SYSTEMTIME ReadingIn(LONGLONG milliseconds) const { return ReadingAt(Later(Now(), milliseconds)); }
    SYSTEMTIME ReadingAt(const SYSTEMTIME& instant) const;
    // The first instant after `after` at which the clock reads `reading`.
    // When the clock falls back, a reading comes twice: the first of them
    // still ahead is taken. When it springs forward, the readings it skips
    // are taken to come at the moment it jumps past them. False when the
    // reading has passed for good.
    bool WhenReads(const SYSTEMTIME& reading, const SYSTEMTIME& after, SYSTEMTIME& instant) const;
    // The time from `now` until the clock next reads minuteOfDay (minutes
    // after midnight, seconds zero), as WhenReads finds it: a whole day when
    // it reads that now, to the millisecond.
    LONGLONG MsUntilMinute(const SYSTEMTIME& now, int minuteOfDay) const;

private:
    LONGLONG LocalTicks(LONGLONG instant) const;
    LONGLONG FirstPast(LONGLONG reading, LONGLONG before, LONGLONG after) const;

    TIME_ZONE_INFORMATION zone = {};
};
