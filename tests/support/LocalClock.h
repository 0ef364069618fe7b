#pragma once
// The local clock as the program reads it, for tests that check the times
// its tip shows.
#include <windows.h>

// The local time this many minutes from now (negative: before now).
SYSTEMTIME LocalTimeIn(int minutes);
