#pragma once
// What another process holds: its threads and its open handles, read from
// outside the way a task manager would.
#include <windows.h>

#include <cstddef>

std::size_t ProcessThreadCount(DWORD processId);
// GetProcessHandleCount through OpenProcess where the system reports a
// count; Wine reports none (always 0), so there the system's list of open
// handles is counted instead. 0 when neither answers.
std::size_t ProcessHandleCount(DWORD processId);
