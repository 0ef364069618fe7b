#pragma once
// Dials one phonebook entry at a time on a thread of its own, so that the
// user-interface thread never waits for the dial-up service: a dial takes
// many seconds, and a troubled service may never return. Nothing waits for
// the thread, which shares only the dial's own record with this object.
#include "win/SharedHold.h"

#include <windows.h>

#include <atomic>
#include <memory>
#include <string>

class CEntryDialer {
public:
    // Starts dialing the entry unless a dial is under way; notifyWindow then
    // hears WM_REDIAL_DIALED when it has ended. False when no thread could
    // be started.
    bool Start(const std::string& entry, HWND notifyWindow);
    bool IsBusy() const { return current && !current->ended; }
    // The entry of the dial under way, or none.
    const std::string* Dialing() const { return IsBusy() ? &current->entry : nullptr; }
    // Once a dial has ended: its entry and result (0: connected), once.
    bool TakeResult(std::string& entry, DWORD& result);

private:
    struct Dial {
        std::string entry;
        HWND notifyWindow;
        std::atomic<bool> ended{false};
        std::atomic<DWORD> result{0};
    };

    static DWORD WINAPI ThreadMain(void* sharedDial);

    win::CSharedHold<Dial> current;
};
