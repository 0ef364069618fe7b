// Windows Sockets 2 before anything that brings windows.h, which would bring
// the first version's header instead.
#include <winsock2.h>

#include "engine/ContactWorker.h"

CContactWorker::~CContactWorker()
{
    CutShort();
}

bool CContactWorker::IsBusy() const
{
    return thread && WaitForSingleObject(thread.Get(), 0) == WAIT_TIMEOUT;
}

void CContactWorker::Start(std::unique_ptr<CActivityProbe> probe, const std::string& target, HWND notifyWindow)
{
    if (IsBusy()) {
        return;
    }
    auto contact = win::CSharedHold<Contact>::Make(std::move(probe), target, notifyWindow);
    auto threadShare = std::make_unique<win::CSharedHold<Contact>>(contact);
    win::CKernelHandle started(CreateThread(nullptr, 0, ThreadMain, threadShare.get(), 0, nullptr));
    // No thread is a failed contact like any other: the next tick tries again.
    if (!started) {
        return;
    }
    // The thread owns its share from now on and lets go of it when it ends.
    threadShare.release();  // NOLINT(bugprone-unused-return-value): the thread owns it from now on
    thread = std::move(started);
    current = std::move(contact);
}

void CContactWorker::CutShort()
{
    if (current) {
        current->probe->CutShort();
    }
}

DWORD WINAPI CContactWorker::ThreadMain(void* sharedContact)
{
    const std::unique_ptr<win::CSharedHold<Contact>> contact(static_cast<win::CSharedHold<Contact>*>(sharedContact));
    // The contact's own hold on Windows Sockets: the application's clean-up
    // at exit must not close sockets under a contact that is still running.
    WSADATA data = {};
    const bool socketsHeld = WSAStartup(MAKEWORD(1, 1), &data) == 0;
    try {
        const Contact& made = **contact;
        const ContactOutcome outcome = made.probe->Probe(made.target);
        // A window that has gone makes the post fail, which is all it does.
        if (!made.probe->IsCutShort() && made.notifyWindow != nullptr) {
            PostMessageA(made.notifyWindow, WM_CONTACT_DONE, static_cast<WPARAM>(outcome), 0);
        }
    } catch (...) {  // NOLINT(bugprone-empty-catch): a failed contact is dropped, as every one is
        // A contact that fails in any way is dropped without a word, as every
        // failed contact is; nothing may leave a thread's entry point.
    }
    if (socketsHeld) {
        WSACleanup();
    }
    return 0;
}
