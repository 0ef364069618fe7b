#include "engine/ContactPlan.h"

UINT ContactPeriodMs(int minutes)
{
    constexpr int kMaxMinutes = 0x7FFFFFFF / 60000;
    if (minutes < 1) {
        minutes = 1;
    } else if (minutes > kMaxMinutes) {
        minutes = kMaxMinutes;
    }
    return static_cast<UINT>(minutes) * 60000u;
}
