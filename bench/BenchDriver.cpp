// Drives the programs tools/bench compares, from inside the Wine session:
//   BenchDriver start EXE CLASS TITLE   starts EXE, prints the milliseconds
//                                       until it waits for input with its
//                                       frame (CLASS, TITLE) created, then
//                                       closes it
//   BenchDriver post CLASS TITLE MESSAGE WPARAM
//                                       posts a message to that frame once
//                                       it exists
// Exit code 0 on success.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr DWORD kFrameWaitMs = 30000;
constexpr DWORD kExitWaitMs = 15000;

double Milliseconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// The frame of the given process only (0: of any process), so that a copy
// left over from elsewhere is never taken for the one just started.
HWND WaitForFrame(const char* frameClass, const char* title, DWORD processId)
{
    const DWORD start = GetTickCount();
    for (;;) {
        const HWND frame = FindWindowA(frameClass, title);
        DWORD owner = 0;
        if (frame != nullptr) {
            GetWindowThreadProcessId(frame, &owner);
        }
        if (frame != nullptr && (processId == 0 || owner == processId)) {
            return frame;
        }
        if (GetTickCount() - start >= kFrameWaitMs) {
            return nullptr;
        }
        Sleep(1);
    }
}

int TimeStart(const char* exe, const char* frameClass, const char* title)
{
    char commandLine[MAX_PATH + 2];
    std::snprintf(commandLine, sizeof commandLine, "\"%s\"", exe);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    LARGE_INTEGER launched;
    QueryPerformanceCounter(&launched);
    if (!CreateProcessA(nullptr, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        return 2;
    }
    const DWORD idle = WaitForInputIdle(process.hProcess, kFrameWaitMs);
    const HWND frame = WaitForFrame(frameClass, title, process.dwProcessId);
    LARGE_INTEGER ready;
    QueryPerformanceCounter(&ready);
    int status = 0;
    if (idle == 0 && frame != nullptr) {
        std::printf("%.1f\n", Milliseconds(launched, ready));
        std::fflush(stdout);
    } else {
        status = 3;
    }
    if (frame != nullptr) {
        PostMessageA(frame, WM_CLOSE, 0, 0);
    }
    if (WaitForSingleObject(process.hProcess, kExitWaitMs) != WAIT_OBJECT_0) {
        TerminateProcess(process.hProcess, 1);
        status = 4;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return status;
}

int Post(const char* frameClass, const char* title, const char* message, const char* wParam)
{
    const HWND frame = WaitForFrame(frameClass, title, 0);
    if (frame == nullptr) {
        return 3;
    }
    const UINT id = static_cast<UINT>(std::strtoul(message, nullptr, 0));
    const WPARAM value = static_cast<WPARAM>(std::strtoul(wParam, nullptr, 0));
    return PostMessageA(frame, id, value, 0) ? 0 : 2;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    const int count = __argc;
    char** const args = __argv;
    if (count == 5 && std::strcmp(args[1], "start") == 0) {
        return TimeStart(args[2], args[3], args[4]);
    }
    if (count == 6 && std::strcmp(args[1], "post") == 0) {
        return Post(args[2], args[3], args[4], args[5]);
    }
    std::fprintf(stderr, "usage: BenchDriver start EXE CLASS TITLE | post CLASS TITLE MESSAGE WPARAM\n");
    return 1;
}
