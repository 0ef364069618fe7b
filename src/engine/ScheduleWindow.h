#pragma once
// When the schedule holds, as arithmetic on a week of minutes: no clock and
// no Windows header, so that any day and time can be tried.
//
// A window starts on each chosen day at fromMinute and ends at toMinute of
// the same day, or of the next day when toMinute comes first (a window
// belongs to the day it starts on). Equal times mean the whole of each
// chosen day, midnight to midnight.
#include "settings/TimeUnits.h"

struct ScheduleWindow {
    int days = 0;  // bit 0 Sunday ... bit 6 Saturday
    int fromMinute = 0;
    int toMinute = 0;
};

struct ScheduleState {
    bool inside = false;
    // Whole minutes from the start of the given minute to the next time
    // `inside` changes; 0 when it never changes.
    int minutesToEdge = 0;
};

// dayOfWeek 0 (Sunday) to 6, minuteOfDay 0 to 1439.
ScheduleState ScheduleAt(const ScheduleWindow& window, int dayOfWeek, int minuteOfDay);
