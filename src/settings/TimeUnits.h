#pragma once
// The units of the clock, written once: the schedule, the stored times of
// day, the contact period and the ON limits all count in them.

constexpr int kMinutesPerHour = 60;
constexpr int kMinutesPerDay = 24 * kMinutesPerHour;
constexpr int kDaysPerWeek = 7;
constexpr int kMinutesPerWeek = kDaysPerWeek * kMinutesPerDay;
constexpr int kMsPerMinute = 60 * 1000;

// Minutes as the milliseconds a window timer counts.
constexpr unsigned int MsFromMinutes(unsigned int minutes)
{
    return minutes * static_cast<unsigned int>(kMsPerMinute);
}
