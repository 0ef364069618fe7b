// Clicks a tab of a tab control in another program's dialog, for the
// screenshot tools:
//   TabClicker TITLE TAB_CONTROL_ID INDEX
// It finds the visible dialog with that title, asks the tab control where
// the tab is, clicks its middle with the mouse messages a user's click makes,
// and waits until the tab is selected. Exit code 0 on success, 1 when the
// dialog or the tab cannot be found or the tab does not become selected.
#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <cstring>

namespace {

struct Search {
    const char* title;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM parameter)
{
    auto* search = reinterpret_cast<Search*>(parameter);
    char text[256] = {};
    GetWindowTextA(window, text, sizeof text);
    if (IsWindowVisible(window) && std::strcmp(text, search->title) == 0) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND WaitForDialog(const char* title)
{
    for (int attempt = 0; attempt < 200; ++attempt) {
        Search search = {title, nullptr};
        EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found != nullptr) {
            return search.found;
        }
        Sleep(50);
    }
    return nullptr;
}

// The tab's rectangle, read through a buffer in the dialog's process.
bool TabRect(HWND tabs, int index, RECT& rect)
{
    DWORD processId = 0;
    GetWindowThreadProcessId(tabs, &processId);
    const HANDLE process =
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
    if (process == nullptr) {
        return false;
    }
    void* buffer = VirtualAllocEx(process, nullptr, sizeof rect, MEM_COMMIT, PAGE_READWRITE);
    bool found = false;
    if (buffer != nullptr) {
        SIZE_T read = 0;
        found = SendMessageA(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer)) &&
                ReadProcessMemory(process, buffer, &rect, sizeof rect, &read) && read == sizeof rect;
        VirtualFreeEx(process, buffer, 0, MEM_RELEASE);
    }
    CloseHandle(process);
    return found;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    if (__argc != 4) {
        return 2;
    }
    const HWND dialog = WaitForDialog(__argv[1]);
    const HWND tabs = dialog != nullptr ? GetDlgItem(dialog, std::atoi(__argv[2])) : nullptr;
    const int index = std::atoi(__argv[3]);
    RECT rect = {};
    if (tabs == nullptr || !TabRect(tabs, index, rect)) {
        return 1;
    }
    const LPARAM middle = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    PostMessageA(tabs, WM_LBUTTONDOWN, MK_LBUTTON, middle);
    PostMessageA(tabs, WM_LBUTTONUP, 0, middle);
    for (int attempt = 0; attempt < 100; ++attempt) {
        if (SendMessageA(tabs, TCM_GETCURSEL, 0, 0) == index) {
            return 0;
        }
        Sleep(20);
    }
    return 1;
}
