#pragma once
// The failures a message handler may raise, and their report at dispatch.
#include <windows.h>

#include <stdexcept>

namespace win {

// The user cancelled an operation: dropped without a message.
class CUserCancelled : public std::exception {
public:
    const char* what() const noexcept override { return "cancelled by the user"; }
};

// A WinInet call failed with this error code; reported with the system's
// text for the code.
class CInternetError : public std::runtime_error {
public:
    explicit CInternetError(DWORD code) : std::runtime_error("WinInet failure"), code(code) {}
    DWORD code;
};

// The base name of the program's executable without its extension: the
// caption of every message box and the registry's application key.
const char* ApplicationName();

// Shows the failure that is being handled (call only inside a catch block)
// in a message box captioned with the application name.
void ReportCurrentFailure(HWND owner) noexcept;

}  // namespace win
