#include "TrayMenu.h"

#include "TestWindows.h"

namespace {
constexpr UINT kTrayCallback = 0x8068;
constexpr WPARAM kTrayIconId = 140;
}  // namespace

HWND OpenTrayMenu(HWND frame, DWORD processId, DWORD timeoutMs)
{
    PostMessageA(frame, kTrayCallback, kTrayIconId, WM_RBUTTONUP);
    HWND menu = nullptr;
    WaitUntil(
        [&] {
            menu = FindProcessWindow(processId, "#32768", nullptr);
            return menu != nullptr && IsWindowVisible(menu);
        },
        timeoutMs, 1);
    return menu != nullptr && IsWindowVisible(menu) ? menu : nullptr;
}

bool CloseTrayMenu(HWND menu, DWORD timeoutMs)
{
    // The menu's own loop reads the keys of its thread's queue.
    PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
    return WaitUntil([&] { return !IsWindow(menu) || !IsWindowVisible(menu); }, timeoutMs);
}
