#pragma once
// The tip's second line: why the activity is ON, or what it waits for.
// No Windows header: the times come already written as the tip shows them.
#include <cstddef>
#include <string>
#include <vector>

// What the sources that switch the activity by themselves see now.
struct SwitchReasons {
    // What holds: the schedule (with its window's end, empty when it never
    // ends), the named programs that run, the named connections that are up.
    bool scheduleHolds = false;
    std::string scheduleUntil;
    std::vector<std::string> programsRunning;
    std::vector<std::string> connectionsUp;
    // What is awaited: the next window's start (empty: none), the named
    // programs that do not run, the named connections that are not up.
    std::string scheduleNext;
    std::vector<std::string> programsAwaited;
    std::vector<std::string> connectionsAwaited;

    bool operator==(const SwitchReasons& other) const;
    bool operator!=(const SwitchReasons& other) const { return !(*this == other); }
};

// The activity as the frame knows it.
struct ActivityShown {
    bool on = false;
    // The end of an ON given a time limit; empty without one.
    std::string limitUntil;
    bool waitingForDialUp = false;
    bool waitingForAmericaOnline = false;
};

// One reason in its long form ("ON while download.exe runs"); several in a
// short list ("ON: until 06:00, download.exe", "OFF, waiting for 22:00,
// Office VPN and 2 more"). Never longer than mostChars (for any mostChars
// of 32 or more, with every part of the line whole or cut with "...").
std::string SwitchStatusLine(const ActivityShown& activity, const SwitchReasons& reasons, std::size_t mostChars);
