#pragma once
// The failures a message handler may raise, and their report at dispatch.
#include <windows.h>

namespace win {

// The base name of the program's executable without its extension: the
// caption of every message box and the registry's application key.
const char* ApplicationName();

// Shows the failure that is being handled (call only inside a catch block)
// in a message box captioned with the application name.
void ReportCurrentFailure(HWND owner) noexcept;

}  // namespace win
