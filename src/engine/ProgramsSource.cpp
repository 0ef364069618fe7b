#include "engine/ProgramsSource.h"

#include "res/AppMessages.h"
#include "settings/SwitchSettings.h"

#include <tlhelp32.h>

#include <algorithm>

namespace {

constexpr UINT kPollMs = 3000;

struct Found {
    DWORD processId;
    const std::string* name;  // as the user named it
};

const std::string* NamedAs(const std::vector<std::string>& names, const char* exeFile)
{
    const std::string fileName(switch_settings::ProgramFileName(exeFile));
    const auto named = std::find_if(names.begin(), names.end(), [&fileName](const std::string& name) {
        return lstrcmpiA(name.c_str(), fileName.c_str()) == 0;
    });
    return named != names.end() ? &*named : nullptr;
}

// The running processes of the named programs; false when the system
// cannot list them.
bool FindPrograms(const std::vector<std::string>& names, std::vector<Found>& found)
{
    const win::CFileHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot) {
        return false;
    }
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot.Get(), &entry); more; more = Process32Next(snapshot.Get(), &entry)) {
        if (const std::string* name = NamedAs(names, entry.szExeFile)) {
            found.push_back({entry.th32ProcessID, name});
        }
    }
    return true;
}

}  // namespace

// On the system's wait thread: the context is the window, nothing of this object.
void CALLBACK CProgramsSource::Ended(void* context, BOOLEAN)
{
    PostMessageA(static_cast<HWND>(context), WM_SWITCH_PROGRAM_ENDED, 0, 0);
}

void CProgramsSource::Start(HWND messageWindow, const std::vector<std::string>& chosen)
{
    Stop();
    if (chosen.empty()) {
        return;
    }
    window = messageWindow;
    names = chosen;
    Look();
}

void CProgramsSource::Stop()
{
    if (window == nullptr) {
        return;
    }
    KillTimer(window, TIMER_PROGRAMS_POLL);
    for (Waited& waited : waits) {
        StopWaiting(waited);
    }
    waits.clear();
    names.clear();
    running.clear();
    window = nullptr;
}

bool CProgramsSource::Look()
{
    std::vector<Found> found;
    if (window == nullptr || !FindPrograms(names, found)) {
        return false;
    }
    // Waits end for processes that ended or are no longer listed.
    for (Waited& waited : waits) {
        const bool listed = std::any_of(found.begin(), found.end(),
                                        [&waited](const Found& one) { return one.processId == waited.processId; });
        if (!listed || WaitForSingleObject(waited.process.Get(), 0) != WAIT_TIMEOUT) {
            StopWaiting(waited);
        }
    }
    waits.erase(std::remove_if(waits.begin(), waits.end(), [](const Waited& waited) { return !waited.process; }),
                waits.end());

    const bool held = Holds();
    running.clear();
    bool allWaited = true;
    for (const Found& one : found) {
        const bool waited =
            std::any_of(waits.begin(), waits.end(), [&one](const Waited& w) { return w.processId == one.processId; });
        allWaited = (waited || Wait(one.processId)) && allWaited;
        if (std::find(running.begin(), running.end(), *one.name) == running.end()) {
            running.push_back(*one.name);
        }
    }
    // A program that cannot be waited for (another user's) is looked for again.
    if (found.empty() || !allWaited) {
        SetTimer(window, TIMER_PROGRAMS_POLL, kPollMs, nullptr);
    } else {
        KillTimer(window, TIMER_PROGRAMS_POLL);
    }
    return held != Holds();
}

bool CProgramsSource::Wait(DWORD processId)
{
    Waited waited;
    waited.processId = processId;
    waited.process.Reset(OpenProcess(SYNCHRONIZE, FALSE, processId));
    if (!waited.process || !RegisterWaitForSingleObject(&waited.wait, waited.process.Get(), &Ended, window, INFINITE,
                                                        WT_EXECUTEONLYONCE)) {
        return false;
    }
    waits.push_back(std::move(waited));
    return true;
}

void CProgramsSource::StopWaiting(Waited& waited)
{
    if (waited.wait != nullptr) {
        // Waits for a callback under way, which only posts.
        UnregisterWaitEx(waited.wait, INVALID_HANDLE_VALUE);
        waited.wait = nullptr;
    }
    waited.process.Reset();
}
