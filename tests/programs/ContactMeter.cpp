// Drives the running Quellor.exe for tools/measure-contacts:
//   ContactMeter wait   waits until the main frame exists
//   ContactMeter on     switches the activity on (or restarts it)
//   ContactMeter tick   runs one contact tick and prints how many
//                       milliseconds it held the user-interface thread
// The tick is sent, not posted, so the call returns exactly when the
// frame's handler does. Exit code 0 on success.
#include <windows.h>

#include <cstdio>
#include <cstring>

namespace {

constexpr WPARAM kActivityOn = 32771;
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

int Tick(HWND frame)
{
    LARGE_INTEGER frequency;
    LARGE_INTEGER start;
    LARGE_INTEGER end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    if (!Send(frame, WM_TIMER, kContactTimer)) {
        return 1;
    }
    QueryPerformanceCounter(&end);
    const double ms = 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) /
                      static_cast<double>(frequency.QuadPart);
    std::printf("%.1f\n", ms);
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
    return 3;
}
