#pragma once
// The window timers of the sources that switch the activity by themselves,
// set on the main frame after its own (1 to 5).
#include <windows.h>

// The schedule's next edge.
constexpr UINT_PTR TIMER_SCHEDULE = 6;
// A look for the named programs while none of them is waited for.
constexpr UINT_PTR TIMER_PROGRAMS_POLL = 7;
// A look at the network adapters where the system does not tell of changes.
constexpr UINT_PTR TIMER_CONNECTIONS_POLL = 8;
// A look at the network adapters shortly after the system told of a change.
constexpr UINT_PTR TIMER_CONNECTIONS_SETTLE = 9;
