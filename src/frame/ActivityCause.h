#pragma once
// What switched the activity ON or OFF. Whatever depends on the cause is
// decided where the activity is switched, in one place.
enum class ActivityCause {
    Menu,               // the tray menu, its "Switch ON for" items included
    CommandLineSwitch,  // a switch of this start's command line or of a second start's
    HotKey,             // the user's hot key
    TimeLimit,          // the end of an ON given a limit
    AutoNetSense,       // a dial-up connection came up or the last one went
    AmericaOnline,      // the America Online time-keeper window came or went
    Connections,        // a named network connection came up or the last went
    Programs,           // a named program started or the last one ended
    Schedule,           // a window of the schedule began or ended
    Settings,           // a restart that brings changed settings into effect
};
