#include "engine/EntryDialer.h"

#include "engine/RasDial.h"
#include "res/AppMessages.h"
#include "win/Handles.h"

bool CEntryDialer::Start(const std::string& entry, HWND notifyWindow)
{
    if (IsBusy()) {
        return false;
    }
    auto dial = win::CSharedHold<Dial>::Make();
    dial->entry = entry;
    dial->notifyWindow = notifyWindow;
    auto threadShare = std::make_unique<win::CSharedHold<Dial>>(dial);
    const win::CKernelHandle thread(CreateThread(nullptr, 0, ThreadMain, threadShare.get(), 0, nullptr));
    if (!thread) {
        return false;
    }
    threadShare.release();  // NOLINT(bugprone-unused-return-value): the thread owns it from now on
    current = std::move(dial);
    return true;
}

bool CEntryDialer::TakeResult(std::string& entry, DWORD& result)
{
    if (!current || !current->ended) {
        return false;
    }
    entry = current->entry;
    result = current->result;
    current.Reset();
    return true;
}

DWORD WINAPI CEntryDialer::ThreadMain(void* sharedDial)
{
    const std::unique_ptr<win::CSharedHold<Dial>> dial(static_cast<win::CSharedHold<Dial>*>(sharedDial));
    Dial& made = **dial;
    try {
        made.result = ras_dial::DialEntry(made.entry);
    } catch (...) {
        // Nothing may leave a thread's entry point: out of memory is a
        // failure that may pass.
        made.result = ERROR_NOT_ENOUGH_MEMORY;
    }
    made.ended = true;
    // A window that has gone makes the post fail, which is all it does.
    PostMessageA(made.notifyWindow, WM_REDIAL_DIALED, 0, 0);
    return 0;
}
