// The local clock across the changes to and from daylight saving time, in a
// zone of its own (central Europe: 02:00 to 03:00 on the last Sunday of
// March, 03:00 back to 02:00 on the last Sunday of October), so that the
// computer's zone plays no part.
#include "engine/ZoneClock.h"

#include <gtest/gtest.h>

namespace {

constexpr LONGLONG kMinute = 60 * 1000;
constexpr LONGLONG kHour = 60 * kMinute;

CZoneClock CentralEurope()
{
    TIME_ZONE_INFORMATION zone = {};
    zone.Bias = -60;
    zone.DaylightBias = -60;
    zone.StandardDate = {0, 10, 0, 5, 3, 0, 0, 0};
    zone.DaylightDate = {0, 3, 0, 5, 2, 0, 0, 0};
    return CZoneClock(zone);
}

// An instant of 2024, in UTC: the zone's clock reads one or two hours more.
SYSTEMTIME Time(WORD month, WORD day, WORD hour, WORD minute, WORD second = 0)
{
    return {2024, month, 0, day, hour, minute, second, 0};
}

void ExpectReads(const CZoneClock& clock, const SYSTEMTIME& instant, WORD hour, WORD minute)
{
    const SYSTEMTIME reading = clock.ReadingAt(instant);
    EXPECT_EQ(reading.wHour * 60 + reading.wMinute, hour * 60 + minute) << instant.wDay << " " << instant.wHour;
}

TEST(ZoneClock, ALimitEndsInRealTimeAndIsReadUnderTheRuleThenInForce)
{
    const CZoneClock clock = CentralEurope();
    // An hour from 01:30 on the March day ends at 03:30; two hours from
    // 01:30 on the October day end at the second 02:30.
    ExpectReads(clock, CZoneClock::Later(Time(3, 31, 0, 30), kHour), 3, 30);
    ExpectReads(clock, CZoneClock::Later(Time(10, 26, 23, 30), 2 * kHour), 2, 30);
    ExpectReads(clock, Time(3, 31, 0, 59), 1, 59);
    ExpectReads(clock, Time(3, 31, 1, 0), 3, 0);

    // A zone without daylight saving whose record still carries a daylight
    // bias, as Wine's UTC has it, reads plain.
    TIME_ZONE_INFORMATION utc = {};
    utc.DaylightBias = -60;
    EXPECT_EQ(CZoneClock(utc).MsUntilMinute(Time(3, 31, 0, 30), 2 * 60), 90 * kMinute);
    // So does a zone whose rules Windows rejects.
    TIME_ZONE_INFORMATION broken = utc;
    broken.Bias = -60;
    broken.DaylightDate = {0, 13, 0, 9, 2, 0, 0, 0};
    EXPECT_EQ(CZoneClock(broken).MsUntilMinute(Time(3, 31, 0, 30), 2 * 60), 90 * kMinute);
}

TEST(ZoneClock, TheClockNextReadsAMinuteAfterTheRealTimeBetween)
{
    const CZoneClock clock = CentralEurope();
    // An ordinary day: to the millisecond, across midnight, a whole day for now.
    EXPECT_EQ(clock.MsUntilMinute(Time(6, 3, 3, 59, 30), 6 * 60), 30 * 1000);
    EXPECT_EQ(clock.MsUntilMinute(Time(6, 3, 21, 0), 90), 150 * kMinute);
    EXPECT_EQ(clock.MsUntilMinute(Time(6, 3, 4, 0), 6 * 60), 24 * kHour);

    // Spring forward, from 01:30: 04:00 is an hour and a half away, a
    // skipped 02:30 comes when the clock jumps, and the day is 23 hours long.
    const SYSTEMTIME march = Time(3, 31, 0, 30);
    EXPECT_EQ(clock.MsUntilMinute(march, 4 * 60), 90 * kMinute);
    EXPECT_EQ(clock.MsUntilMinute(march, 2 * 60 + 30), 30 * kMinute);
    EXPECT_EQ(clock.MsUntilMinute(Time(3, 30, 11, 0), 12 * 60), 23 * kHour);

    // Fall back, from 01:30: the first 02:30 is an hour away, 04:00 three
    // and a half; from the second 02:10 or the first 02:40, the second 02:30
    // is 20 or 50 minutes away.
    const SYSTEMTIME october = Time(10, 26, 23, 30);
    EXPECT_EQ(clock.MsUntilMinute(october, 2 * 60 + 30), kHour);
    EXPECT_EQ(clock.MsUntilMinute(october, 4 * 60), 210 * kMinute);
    EXPECT_EQ(clock.MsUntilMinute(Time(10, 27, 1, 10), 2 * 60 + 30), 20 * kMinute);
    EXPECT_EQ(clock.MsUntilMinute(Time(10, 27, 0, 40), 2 * 60 + 30), 50 * kMinute);
}

}  // namespace
