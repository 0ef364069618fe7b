#pragma once
// What another process holds: its threads and DLLs, its open handles, its
// GDI and USER objects and its private memory, read from outside the way a
// task manager would.
#include <windows.h>

#include <cstddef>
#include <string>

std::size_t ProcessThreadCount(DWORD processId);
// Where the process loaded the DLL of this name from, in lower case, or
// empty while it has not loaded it.
std::string ProcessModulePath(DWORD processId, const char* moduleName);
// GetProcessHandleCount through OpenProcess where the system reports a
// count; Wine reports none (always 0), so there the system's list of open
// handles is counted instead. 0 when neither answers.
std::size_t ProcessHandleCount(DWORD processId);

// GetGuiResources through OpenProcess where the system reports a count.
// Wine's always reports 0 (it fails with ERROR_CALL_NOT_IMPLEMENTED); there
// the GDI objects are counted in the process's own GDI handle table, which
// its process environment block points at, and the USER objects as the
// windows the process owns (top-level, message-only and child windows): Wine
// shows nobody another process's menus or icons, and an icon's pictures are
// GDI bitmaps, counted with the GDI objects. Stock objects are not counted.
std::size_t ProcessGdiObjectCount(DWORD processId);
std::size_t ProcessUserObjectCount(DWORD processId);
// The process's private bytes: GetProcessMemoryInfo's PrivateUsage through
// OpenProcess. Wine reports none and gives PagefileUsage instead, which is
// the process's anonymous resident memory and swap (RssAnon + VmSwap of
// /proc/PID/status); that is what is returned there. 0 when neither answers.
std::size_t ProcessPrivateBytes(DWORD processId);

// All of the above at one moment.
struct ProcessResources {
    std::size_t handles = 0;
    std::size_t gdiObjects = 0;
    std::size_t userObjects = 0;
    std::size_t privateBytes = 0;
};
ProcessResources MeasureProcess(DWORD processId);
