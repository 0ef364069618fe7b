// Puts up warning windows like those of online-service clients, for the
// warning-dismissal tests:
//   WarningWindows.exe LOGFILE [--hung] [--closing | --stubborn | --no-tabstop] TITLE...
// Each mode applies to the titles after it (default --closing). With --hung
// the program stops reading its messages once its windows are up, as a hung
// program does: its windows stay and nothing reaches them. Every window
// has a static text, then an "OK" and a "Cancel" button, both tab stops
// unless --no-tabstop. A click on "OK" closes the window unless --stubborn.
// The log gets one line per event: TITLE <tab> EVENT <tab> WPARAM <tab> LPARAM,
// where EVENT is down/state/up for messages posted to "OK", "cancel" for
// any message posted to "Cancel", and "closed" when the window goes.
#include <windows.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

namespace {

enum class Mode { Closing, Stubborn, NoTabStop };

const char* logPath = nullptr;
int openWindows = 0;

void Log(HWND window, const char* event, WPARAM wParam, LPARAM lParam)
{
    char title[256] = {};
    GetWindowTextA(window, title, sizeof title);
    FILE* log = fopen(logPath, "a");
    if (log != nullptr) {
        fprintf(log, "%s\t%s\t%lu\t%ld\n", title, event, static_cast<unsigned long>(wParam),
                static_cast<long>(lParam));
        fclose(log);
    }
}

LRESULT CALLBACK WarningProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND && LOWORD(wParam) == IDOK && HIWORD(wParam) == BN_CLICKED) {
        if (GetWindowLongPtrA(window, GWLP_USERDATA) != static_cast<LONG_PTR>(Mode::Stubborn)) {
            DestroyWindow(window);
        }
        return 0;
    }
    if (message == WM_DESTROY) {
        Log(window, "closed", 0, 0);
        if (--openWindows == 0) {
            PostQuitMessage(0);
        }
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void CreateWarning(HINSTANCE instance, const char* title, Mode mode, int index)
{
    HWND window = CreateWindowA("QuellorTestWarning", title, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_VISIBLE,
                                200 + 30 * index, 100 + 30 * index, 300, 120, nullptr, nullptr, instance, nullptr);
    if (window == nullptr) {
        return;
    }
    ++openWindows;
    SetWindowLongPtrA(window, GWLP_USERDATA, static_cast<LONG_PTR>(mode));
    const DWORD tabStop = mode == Mode::NoTabStop ? 0 : WS_TABSTOP;
    CreateWindowA("STATIC", "Are you still there?", WS_CHILD | WS_VISIBLE, 10, 10, 280, 20, window, nullptr, instance,
                  nullptr);
    CreateWindowA("BUTTON", "OK", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON | tabStop, 10, 40, 80, 25, window,
                  reinterpret_cast<HMENU>(IDOK), instance, nullptr);
    CreateWindowA("BUTTON", "Cancel", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON | tabStop, 100, 40, 80, 25, window,
                  reinterpret_cast<HMENU>(IDCANCEL), instance, nullptr);
}

void LogPostedToButton(const MSG& message)
{
    const int id = GetDlgCtrlID(message.hwnd);
    const HWND parent = GetParent(message.hwnd);
    if (parent == nullptr || (id != IDOK && id != IDCANCEL)) {
        return;
    }
    const char* event = nullptr;
    switch (message.message) {
    case WM_LBUTTONDOWN:
        event = "down";
        break;
    case BM_SETSTATE:
        event = "state";
        break;
    case WM_LBUTTONUP:
        event = "up";
        break;
    default:
        return;
    }
    if (id == IDCANCEL) {
        event = "cancel";
    }
    Log(parent, event, message.wParam, message.lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    if (__argc < 3) {
        return 2;
    }
    logPath = __argv[1];
    WNDCLASSA wc = {};
    wc.lpfnWndProc = WarningProc;
    wc.hInstance = instance;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = "QuellorTestWarning";
    RegisterClassA(&wc);

    Mode mode = Mode::Closing;
    bool hung = false;
    for (int i = 2; i < __argc; ++i) {
        const char* argument = __argv[i];
        if (strcmp(argument, "--hung") == 0) {
            hung = true;
        } else if (strcmp(argument, "--closing") == 0) {
            mode = Mode::Closing;
        } else if (strcmp(argument, "--stubborn") == 0) {
            mode = Mode::Stubborn;
        } else if (strcmp(argument, "--no-tabstop") == 0) {
            mode = Mode::NoTabStop;
        } else {
            CreateWarning(instance, argument, mode, i);
        }
    }
    if (openWindows == 0) {
        return 3;
    }
    if (hung) {
        Sleep(INFINITE);
    }
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        LogPostedToButton(message);
        DispatchMessageA(&message);
    }
    return 0;
}
