#pragma once
// What switched the activity ON or OFF. Whatever depends on the cause is
// decided where the activity is switched, in one place.
enum class ActivityCause {
    Menu,           // the tray menu, its "Switch ON for" items included
    Switch,         // a command-line switch, of this start or of a second one
    HotKey,         // the user's hot key
    TimeLimit,      // the end of an ON given a limit
    AutoNetSense,   // a dial-up connection came up or the last one went
    AmericaOnline,  // the America Online time-keeper window came or went
    Connections,    // a named network connection came up or the last went
    Programs,       // a named program started or the last one ended
    Schedule,       // a window of the schedule began or ended
    Settings,       // a restart that brings changed settings into effect
};

// The user's own choice, which stands until the next edge of any source.
constexpr bool IsUsersOwn(ActivityCause cause)
{
    return cause == ActivityCause::Menu || cause == ActivityCause::Switch || cause == ActivityCause::HotKey;
}
