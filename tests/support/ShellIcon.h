#pragma once
#include <windows.h>

// True when the shell shows an icon of this window and id: it accepts a
// change only for an icon it has.
bool ShellShowsIcon(HWND window, UINT id);
// Takes the icon away as a restarted shell would.
bool ForgetShellIcon(HWND window, UINT id);
