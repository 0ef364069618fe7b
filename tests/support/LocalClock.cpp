#include "LocalClock.h"

SYSTEMTIME LocalTimeIn(int minutes)
{
    SYSTEMTIME now = {};
    GetLocalTime(&now);
    FILETIME stamp = {};
    SystemTimeToFileTime(&now, &stamp);
    ULARGE_INTEGER ticks = {{stamp.dwLowDateTime, stamp.dwHighDateTime}};
    ticks.QuadPart += static_cast<ULONGLONG>(static_cast<LONGLONG>(minutes) * 60 * 10000000);
    stamp = {ticks.LowPart, ticks.HighPart};
    SYSTEMTIME later = {};
    FileTimeToSystemTime(&stamp, &later);
    return later;
}
