#pragma once
#include <windows.h>

// The contact timer's period for a number of minutes, always a valid
// positive window-timer period.
UINT ContactPeriodMs(int minutes);
