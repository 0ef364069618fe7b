// Drives the running Quellor.exe for tools/measure-contacts:
//   ContactMeter wait   waits until the main frame exists
//   ContactMeter on     switches the activity on (or restarts it)
//   ContactMeter tick   runs one contact tick and prints two figures in
//                       milliseconds: how long the tick held the user-interface
//                       thread, and how long the contact lasted (until its
//                       thread had gone)
//   ContactMeter begin  starts one contact tick and returns at once
//   ContactMeter exit   chooses Exit from the tray menu and prints how many
//                       milliseconds the process took to end, and its exit code
// The tick is sent, not posted, so the call returns exactly when the
// frame's handler does. Exit code 0 on success.
#include <windows.h>

#include <tlhelp32.h>

#include <cstdio>
#include <cstring>

namespace {

constexpr WPARAM kActivityOn = 32771;
constexpr WPARAM kExitCommand = 32774;
constexpr WPARAM kContactTimer = 1;
constexpr UINT kNoLimitMs = 15 * 60 * 1000;

HWND WaitForFrame(DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    for (;;) {
        if (HWND frame = FindWindowA("QuellorFrame", "Quellor")) {
            return frame;
        }
        if (GetTickCount() - start >= timeoutMs) {
            return nullptr;
        }
        Sleep(50);
    }
}

bool Send(HWND frame, UINT message, WPARAM wParam)
{
    DWORD_PTR answer = 0;
    return SendMessageTimeoutA(frame, message, wParam, 0, SMTO_NORMAL, kNoLimitMs, &answer) != 0;
}

DWORD ProcessOf(HWND frame)
{
    DWORD processId = 0;
    GetWindowThreadProcessId(frame, &processId);
    return processId;
}

int ThreadCount(DWORD processId)
{
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snapshot == INVALID_HANDLE_VALUE) {
        return 0;
    }
    THREADENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    int count = 0;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
        count += entry.th32OwnerProcessID == processId ? 1 : 0;
    }
    CloseHandle(snapshot);
    return count;
}

class CStopwatch {
public:
    CStopwatch()
    {
        QueryPerformanceFrequency(&frequency);
        QueryPerformanceCounter(&start);
    }
    double ElapsedMs() const
    {
        LARGE_INTEGER now;
        QueryPerformanceCounter(&now);
        return 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
    }

private:
    LARGE_INTEGER frequency;
    LARGE_INTEGER start;
};

int Tick(HWND frame)
{
    const DWORD processId = ProcessOf(frame);
    const int idleThreads = ThreadCount(processId);
    const CStopwatch watch;
    if (!Send(frame, WM_TIMER, kContactTimer)) {
        return 1;
    }
    const double held = watch.ElapsedMs();
    // The contact's thread is the one more than before the tick.
    while (ThreadCount(processId) > idleThreads && watch.ElapsedMs() < kNoLimitMs) {
        Sleep(1);
    }
    std::printf("%.1f %.1f\n", held, watch.ElapsedMs());
    std::fflush(stdout);
    return 0;
}

int Exit(HWND frame)
{
    const HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, ProcessOf(frame));
    if (process == nullptr) {
        return 1;
    }
    const CStopwatch watch;
    PostMessageA(frame, WM_COMMAND, kExitCommand, 0);
    const bool ended = WaitForSingleObject(process, kNoLimitMs) == WAIT_OBJECT_0;
    const double ms = watch.ElapsedMs();
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process, &code);
    CloseHandle(process);
    if (!ended) {
        return 1;
    }
    std::printf("%.1f %lu\n", ms, code);
    std::fflush(stdout);
    return 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int)
{
    const HWND frame = WaitForFrame(15000);
    if (frame == nullptr) {
        return 2;
    }
    if (std::strcmp(commandLine, "wait") == 0) {
        return 0;
    }
    if (std::strcmp(commandLine, "on") == 0) {
        return Send(frame, WM_COMMAND, kActivityOn) ? 0 : 1;
    }
    if (std::strcmp(commandLine, "tick") == 0) {
        return Tick(frame);
    }
    if (std::strcmp(commandLine, "begin") == 0) {
        return PostMessageA(frame, WM_TIMER, kContactTimer, 0) ? 0 : 1;
    }
    if (std::strcmp(commandLine, "exit") == 0) {
        return Exit(frame);
    }
    return 3;
}
