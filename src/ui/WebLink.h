#pragma once
#include <windows.h>

// Shows a web page in the user's browser; a failure (no browser, no
// network) is not reported.
void OpenWebPage(HWND owner, const char* address);
