#pragma once
// Runs each network contact on a thread of its own, so that the user-interface
// thread never waits for the network: a proxy that never answers or a host
// that drops the connection attempt holds only the contact's thread. One
// contact at a time; nothing ever waits for one to end.
#include "engine/ActivityProbe.h"
#include "res/AppMessages.h"
#include "win/Handles.h"
#include "win/SharedHold.h"

#include <memory>
#include <string>

class CContactWorker {
public:
    CContactWorker() = default;
    CContactWorker(const CContactWorker&) = delete;
    CContactWorker& operator=(const CContactWorker&) = delete;
    // Cuts a contact under way short and leaves its thread to end by itself.
    ~CContactWorker();

    // True while the thread of the last contact is alive, cut short or not.
    bool IsBusy() const;
    // Makes the probe's contact with the target on a new thread, unless a
    // contact is under way, and tells notifyWindow (when there is one) its
    // outcome. The thread shares the probe with this object, so it never
    // depends on this object still being there.
    void Start(std::unique_ptr<CActivityProbe> probe, const std::string& target, HWND notifyWindow);
    // Ends a contact under way after the step it is taking, which its own
    // time limit bounds, and keeps its outcome from being told; returns at
    // once.
    void CutShort();

private:
    struct Contact {
        std::unique_ptr<CActivityProbe> probe;
        std::string target;
        HWND notifyWindow;
    };

    static DWORD WINAPI ThreadMain(void* sharedContact);

    win::CSharedHold<Contact> current;
    win::CKernelHandle thread;
};
