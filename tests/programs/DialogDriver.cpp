// Drives the program's windows from a shell script (the screenshot tools):
//   DialogDriver command ID            posts a menu command to Quellor's frame
//   DialogDriver wait TITLE CONTROL    waits for a window with that title and
//                                      a control with that id
//   DialogDriver click TITLE CONTROL   clicks the control
// Each step waits up to ten seconds for its window; exit code 1 when it
// does not appear.
#include <windows.h>

#include <cstdlib>
#include <cstring>

namespace {

struct Search {
    const char* title;
    int controlId;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM parameter)
{
    auto* search = reinterpret_cast<Search*>(parameter);
    char text[256] = {};
    GetWindowTextA(window, text, sizeof text);
    if (!IsWindowVisible(window) || std::strcmp(text, search->title) != 0 ||
        GetDlgItem(window, search->controlId) == nullptr) {
        return TRUE;
    }
    search->found = window;
    return FALSE;
}

HWND WaitForDialog(const char* title, int controlId)
{
    for (int attempt = 0; attempt < 200; ++attempt) {
        Search search = {title, controlId, nullptr};
        EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found != nullptr) {
            return search.found;
        }
        Sleep(50);
    }
    return nullptr;
}

HWND WaitForFrame()
{
    for (int attempt = 0; attempt < 200; ++attempt) {
        if (const HWND frame = FindWindowA("QuellorFrame", "Quellor")) {
            return frame;
        }
        Sleep(50);
    }
    return nullptr;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    if (__argc == 3 && std::strcmp(__argv[1], "command") == 0) {
        const HWND frame = WaitForFrame();
        return frame != nullptr && PostMessageA(frame, WM_COMMAND, std::atoi(__argv[2]), 0) ? 0 : 1;
    }
    if (__argc == 4 && (std::strcmp(__argv[1], "wait") == 0 || std::strcmp(__argv[1], "click") == 0)) {
        const int controlId = std::atoi(__argv[3]);
        const HWND dialog = WaitForDialog(__argv[2], controlId);
        if (dialog == nullptr) {
            return 1;
        }
        if (std::strcmp(__argv[1], "click") == 0) {
            // Posted: the click may open a modal box that a sent message would wait for.
            PostMessageA(GetDlgItem(dialog, controlId), BM_CLICK, 0, 0);
        }
        return 0;
    }
    return 2;
}
