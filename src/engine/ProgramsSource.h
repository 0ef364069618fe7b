#pragma once
// Named programs as a source: holds while one of them runs, matched on the
// executable's file name without regard to case. While none runs, a window
// timer looks through the process list every 3 s; once found, each is
// waited for on its process handle by the system's wait thread, which only
// posts WM_SWITCH_PROGRAM_ENDED, and the list is not looked through again
// until one ends.
#include "win/Handles.h"

#include <windows.h>

#include <string>
#include <vector>

class CProgramsSource {
public:
    CProgramsSource() = default;
    CProgramsSource(const CProgramsSource&) = delete;
    CProgramsSource& operator=(const CProgramsSource&) = delete;
    ~CProgramsSource() { Stop(); }

    // Looks for the named programs and starts following them; afterwards
    // Holds() says whether one runs.
    void Start(HWND messageWindow, const std::vector<std::string>& names);
    void Stop();
    bool Holds() const { return !running.empty(); }
    // The programs named, and those of them that run, as named.
    const std::vector<std::string>& Names() const { return names; }
    const std::vector<std::string>& Running() const { return running; }

    // TIMER_PROGRAMS_POLL, or WM_SWITCH_PROGRAM_ENDED: looks through the
    // process list; true when the first named program started or the last
    // ended.
    bool Look();

private:
    struct Waited {
        DWORD processId = 0;
        win::CKernelHandle process;
        HANDLE wait = nullptr;
    };
    static void CALLBACK Ended(void* context, BOOLEAN timedOut);
    // Waits for the process, or false when it cannot be opened or waited for.
    bool Wait(DWORD processId);
    static void StopWaiting(Waited& waited);

    HWND window = nullptr;
    std::vector<std::string> names;
    std::vector<std::string> running;
    std::vector<Waited> waits;
};
