#pragma once
// The tip's second line: why the activity is ON, or what it waits for.
// The times come as times; the tray writes them in the user's format.
#ifdef _WIN32
#include <windows.h>
#else
// The pure pieces are also built where there are no Windows headers.
struct SYSTEMTIME {
    unsigned short wYear, wMonth, wDayOfWeek, wDay, wHour, wMinute, wSecond, wMilliseconds;
};
#endif

#include <cstddef>
#include <string>
#include <vector>

// A local time that the tip names; one a day or more away is named with its
// day, as its clock time alone would name an earlier moment.
struct TipTime {
    bool set = false;
    SYSTEMTIME at = {};
    bool aDayAway = false;

    bool operator==(const TipTime& other) const;
};

// Writes a time as the tip shows it.
using TimeTextFunction = std::string (*)(const TipTime& time);

// What the sources that switch the activity by themselves see now.
struct SwitchReasons {
    // The schedule's next edge: while it holds, its window's end (none when
    // it never ends); otherwise the next window's start (none: no window).
    bool scheduleHolds = false;
    TipTime scheduleEdge;
    // What holds: the named programs that run, the named connections that are up.
    std::vector<std::string> programsRunning;
    std::vector<std::string> connectionsUp;
    // What is awaited: the named programs that do not run, the named
    // connections that are not up.
    std::vector<std::string> programsAwaited;
    std::vector<std::string> connectionsAwaited;

    bool operator==(const SwitchReasons& other) const;
    bool operator!=(const SwitchReasons& other) const { return !(*this == other); }
};

// The activity as the frame knows it.
struct ActivityShown {
    bool on = false;
    // The end of an ON given a time limit; not set without one.
    TipTime limitEnd;
    bool waitingForDialUp = false;
    bool waitingForAmericaOnline = false;
    // An entry dialed again while ON, and when it is tried next (not set:
    // it is being dialed).
    std::string redialing;
    TipTime redialAt;
};

// An entry dialed again comes first ("ON, dialing Office VPN again at
// 14:05"). Otherwise one reason in its long form ("ON while download.exe
// runs"); several in a short list ("ON: until 06:00, download.exe", "OFF,
// waiting for 22:00, Office VPN and 2 more"). Never longer than mostChars (for any mostChars
// of 32 or more, with every part of the line whole or cut with "...").
std::string SwitchStatusLine(const ActivityShown& activity, const SwitchReasons& reasons, std::size_t mostChars,
                             TimeTextFunction timeText);
