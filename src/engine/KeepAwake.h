#pragma once
// Keeps the system from sleeping for idleness while held; the display may
// still turn off. A power request that `powercfg /requests` shows with its
// reason, or, where the system has none (before Windows 7), the calling
// thread's execution state: hold and release it on the thread that lives as
// long as the program.
#include "win/Handles.h"

#include <windows.h>

// Whether an ON keeps the computer awake now that the power is as given: when
// the user wants it, and on battery power only when the user wants that too.
// A source the system cannot name counts as mains power.
bool KeepsAwake(bool wanted, bool onBatteryToo, const SYSTEM_POWER_STATUS& power);

class CKeepAwake {
public:
    CKeepAwake() = default;
    CKeepAwake(const CKeepAwake&) = delete;
    CKeepAwake& operator=(const CKeepAwake&) = delete;
    ~CKeepAwake() { Release(); }

    // Both idempotent.
    void Hold();
    void Release();
    bool IsHeld() const { return held != Means::None; }

private:
    enum class Means { None, PowerRequest, ExecutionState };
    Means held = Means::None;
    // Made at the first hold and kept: set and cleared at each.
    win::CKernelHandle request;
};
