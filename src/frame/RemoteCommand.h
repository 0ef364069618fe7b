#pragma once
// What a second start of the program asks of the running copy: the message
// registered under kRemoteCommandMessage, sent to the main frame with one of
// the commands below and, with ON, a limit in minutes (0: none), or with ON
// until, the clock time in minutes after midnight. The frame answers
// kRemoteCommandTaken at once and carries the command out next.
#include "settings/TimeUnits.h"

constexpr const char* kRemoteCommandMessage = "Quellor command";
constexpr unsigned kRemoteOn = 1;
constexpr unsigned kRemoteOff = 2;
constexpr unsigned kRemoteExit = 3;
constexpr unsigned kRemoteOnUntil = 4;
constexpr long kRemoteCommandTaken = 0x51C0;

// The longest limit an ON can be given: a day.
constexpr int kMostOnMinutes = kMinutesPerDay;
