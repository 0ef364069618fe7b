#pragma once
// The popup menu of a running Quellor's tray icon, opened the way a right
// click on the icon opens it.
#include <windows.h>

// Sends the frame the icon's right-click notification (without waiting for
// it to be handled) and waits for the process's popup menu to show; the
// menu window, or null when it did not show in time.
HWND OpenTrayMenu(HWND frame, DWORD processId, DWORD timeoutMs);
// Closes the open menu as the Escape key does; true when it has gone.
bool CloseTrayMenu(HWND menu, DWORD timeoutMs);
