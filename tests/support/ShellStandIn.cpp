#include "ShellStandIn.h"

#include <shellapi.h>

#include <cstring>

namespace {

constexpr const char* kShellClass = "Shell_TrayWnd";
// Where the shell's copy of a record keeps what the stand-in reads: window,
// icon id and flags in 32 bits each, the tip as 128 UTF-16 units from byte 16.
constexpr DWORD kTipOffset = 16;
constexpr DWORD kTipUnits = 128;

DWORD Read32(const BYTE* data, DWORD offset)
{
    DWORD value = 0;
    std::memcpy(&value, data + offset, sizeof value);
    return value;
}

}  // namespace

CShellStandIn::CShellStandIn()
{
    const HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    thread = std::make_unique<CTestThread>([this, ready] { Run(ready); });
    WaitForSingleObject(ready, 5000);
    CloseHandle(ready);
}

CShellStandIn::~CShellStandIn()
{
    if (window != nullptr) {
        PostMessageA(window, WM_CLOSE, 0, 0);
    }
    thread.reset();
}

void CShellStandIn::Run(HANDLE ready)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = Procedure;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = kShellClass;
    RegisterClassA(&wc);
    window = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kShellClass, "", WS_POPUP, 0, 0, 1, 1, nullptr,
                             nullptr, wc.hInstance, nullptr);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetEvent(ready);
    MSG message;
    while (window != nullptr && GetMessageA(&message, nullptr, 0, 0) > 0) {
        DispatchMessageA(&message);
    }
}

LRESULT CALLBACK CShellStandIn::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = reinterpret_cast<CShellStandIn*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self != nullptr && message == WM_COPYDATA) {
        const auto* copy = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        return self->OnNotification(static_cast<DWORD>(copy->dwData), static_cast<const BYTE*>(copy->lpData),
                                    copy->cbData);
    }
    if (message == WM_CLOSE) {
        DestroyWindow(window);
        return 0;
    }
    if (message == WM_DESTROY && self != nullptr) {
        self->window = nullptr;
        PostQuitMessage(0);
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CShellStandIn::OnNotification(DWORD message, const BYTE* data, DWORD size)
{
    if (data == nullptr || size < kTipOffset + kTipUnits * 2) {
        return FALSE;
    }
    const Key key{reinterpret_cast<HWND>(static_cast<ULONG_PTR>(Read32(data, 0))), Read32(data, 4)};
    const DWORD flags = Read32(data, 8);
    const win::CCriticalSection::CHold hold(lock);
    Icon& icon = icons[key];
    LRESULT answer = TRUE;
    if (message == NIM_ADD) {
        answer = icon.shown ? FALSE : TRUE;
        icon.shown = true;
    } else if (message == NIM_DELETE || (message == NIM_MODIFY && !icon.shown)) {
        answer = icon.shown ? TRUE : FALSE;
        icon.shown = false;
    }
    if (answer != FALSE && icon.shown && (flags & NIF_TIP) != 0) {
        char tip[kTipUnits * 2] = {};
        WideCharToMultiByte(CP_ACP, 0, reinterpret_cast<const wchar_t*>(data + kTipOffset), kTipUnits, tip,
                            sizeof tip - 1, nullptr, nullptr);
        icon.tip = tip;
    }
    return answer;
}

bool CShellStandIn::Shows(HWND owner, UINT id) const
{
    const win::CCriticalSection::CHold hold(lock);
    const auto found = icons.find({owner, id});
    return found != icons.end() && found->second.shown;
}

std::string CShellStandIn::Tip(HWND owner, UINT id) const
{
    const win::CCriticalSection::CHold hold(lock);
    const auto found = icons.find({owner, id});
    return found != icons.end() ? found->second.tip : std::string();
}
