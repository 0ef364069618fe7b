#pragma once
// The switches a script gives Quellor.exe: /on, /on:MINUTES, /on:HH:MM,
// /off, /exit and /? (or /help), case-insensitive, each also with "-". At
// most one.
#include "frame/RemoteCommand.h"

#include <string>
#include <string_view>

struct CommandLineRequest {
    enum class Kind { Start, On, Off, Exit, Help, Mistake };
    Kind kind = Kind::Start;
    // With On: the minutes after which the activity switches itself off, or
    // 0 for no limit.
    int minutes = 0;
    // With On: the clock time (minutes after midnight) at which the activity
    // switches itself off, the next time the clock reads it; -1 for none.
    int untilMinuteOfDay = -1;
    // With Mistake: what was wrong, for the user.
    std::string mistake;
};

CommandLineRequest ParseCommandLine(std::string_view arguments);

// The switches as the help and every mistake list them.
extern const char* const kSwitchesHelp;
