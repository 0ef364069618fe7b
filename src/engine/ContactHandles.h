#pragma once
// The WinInet handles of one contact, kept where another thread can reach
// them: closing the handle a blocked call is using is how the platform lets
// another thread cut that call short. Once cut short, the contact takes no
// further step; each handle is closed exactly once, by whichever thread gets
// there first, so a handle value is never used after it has been closed here.
#include "win/CriticalSection.h"
#include "win/Handles.h"

class CContactHandles {
public:
    CContactHandles() = default;
    CContactHandles(const CContactHandles&) = delete;
    CContactHandles& operator=(const CContactHandles&) = delete;
    ~CContactHandles() { CloseAll(); }

    // Takes the handle into keeping and returns true. False, with the handle
    // closed at once, when it is null or the contact has been cut short: the
    // contact must then end.
    bool Keep(HINTERNET handle);
    // Closes every kept handle, the newest first.
    void CloseAll();
    // From any thread: closes every kept handle and refuses any later one.
    void CutShort();
    bool IsCutShort() const;

private:
    // Session, connection and request: no contact opens more.
    static constexpr int kMostHandles = 3;

    mutable win::CCriticalSection lock;
    win::CInternetHandle kept[kMostHandles];
    int keptCount = 0;
    bool cutShort = false;
};
