#pragma once
// What the user sees of the activity: while it is on, the program's tray icon
// alternates between two pictures; while it is off, the icon stays still.
#include <windows.h>

// True when some icon of Wine's stand-alone notification area alternates
// between pictures within the time (the animation shows each for 500 ms);
// false when every icon stays still, or there is no notification area.
bool TrayIconAnimates(DWORD watchMs = 1600);
// True when the notification area is there and shows no animation within
// the time; false without a notification area, so that a missing area never
// passes for a still icon.
bool TrayIconIsStill(DWORD watchMs = 1600);
