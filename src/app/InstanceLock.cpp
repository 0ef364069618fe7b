#include "app/InstanceLock.h"

#include "win/Failure.h"

namespace {

// The first line of a string resource, or "" when there is none.
std::string FirstLineOfString(UINT id)
{
    char buffer[256] = {};
    if (LoadStringA(GetModuleHandleA(nullptr), id, buffer, sizeof buffer) <= 0) {
        return {};
    }
    std::string text = buffer;
    return text.substr(0, text.find('\n'));
}

LRESULT CALLBACK InstanceWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

bool CInstanceLock::Acquire(UINT resourceId)
{
    name = FirstLineOfString(resourceId) + " Class";
    mutex.Reset(CreateMutexA(nullptr, FALSE, name.c_str()));
    const DWORD error = GetLastError();
    // A mutex of another user's copy cannot be opened at all.
    if (error == ERROR_ALREADY_EXISTS || (!mutex && error == ERROR_ACCESS_DENIED)) {
        mutex.Reset();
        const HWND other = FindWindowExA(nullptr, nullptr, name.c_str(), nullptr);
        if (other != nullptr) {
            ShowWindow(other, SW_RESTORE);
            BringWindowToTop(other);
            SetForegroundWindow(other);
        }
        return false;
    }
    const HINSTANCE module = GetModuleHandleA(nullptr);
    WNDCLASSA wc = {};
    wc.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    wc.lpfnWndProc = InstanceWindowProc;
    wc.hInstance = module;
    wc.hIcon = LoadIconA(module, MAKEINTRESOURCEA(resourceId));
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = name.c_str();
    if (RegisterClassA(&wc) == 0) {
        MessageBoxA(nullptr, "Failed to register window class!", win::ApplicationName(), MB_OK | MB_ICONERROR);
        return false;
    }
    return true;
}
