#include "win/FrameWindow.h"

namespace win {

bool CFrameWindow::RegisterFrameClass(const char* className)
{
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA existing;
    if (GetClassInfoA(instance, className, &existing)) {
        return true;
    }
    WNDCLASSA wc = {};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    // NOLINTNEXTLINE(performance-no-int-to-ptr): a system colour's index plus one names its brush
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = className;
    return RegisterClassA(&wc) != 0;
}

HWND CFrameWindow::CreateOwned(CFrameWindow* frame, const char* title, DWORD style, const char* className,
                               HWND parent)
{
    bool windowStarted = false;
    frame->attached = &windowStarted;
    HWND window = nullptr;
    if (RegisterFrameClass(className)) {
        window = CreateWindowExA(0, className, title, style, CW_USEDEFAULT, CW_USEDEFAULT,
                                 CW_USEDEFAULT, CW_USEDEFAULT, parent, nullptr,
                                 GetModuleHandleA(nullptr), frame);
    }
    if (window == nullptr && !windowStarted) {
        delete frame;
    } else if (window != nullptr) {
        frame->attached = nullptr;
    }
    return window;
}

bool CFrameWindow::OnMessage(UINT, WPARAM, LPARAM, LRESULT&)
{
    return false;
}

LRESULT CALLBACK CFrameWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    // NOLINTNEXTLINE(performance-no-int-to-ptr): the object WM_NCCREATE stored
    auto* frame = reinterpret_cast<CFrameWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (message == WM_NCCREATE) {
        // NOLINTNEXTLINE(performance-no-int-to-ptr): WM_NCCREATE's lParam is the CREATESTRUCT
        frame = static_cast<CFrameWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        frame->hwnd = window;
        if (frame->attached != nullptr) {
            *frame->attached = true;
        }
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(frame));
    }
    if (frame == nullptr) {
        return DefWindowProcA(window, message, wParam, lParam);
    }
    LRESULT result = 0;
    if (!frame->DispatchGuarded(message, wParam, lParam, result)) {
        result = DefWindowProcA(window, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        frame->hwnd = nullptr;
        delete frame;
    }
    return result;
}

}  // namespace win
