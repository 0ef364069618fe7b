// The yardstick of tools/bench: the smallest honest tray program. A window
// class, a hidden frame, one notification-area icon whose right click opens
// a popup menu, and a message loop. Built twice: TrayReference.exe as it
// stands, and TrayReferenceDlls.exe (REFERENCE_IMPORTS_QUELLOR_DLLS), which
// also imports every system DLL that Quellor.exe imports.
#include <windows.h>
#include <shellapi.h>

#ifdef REFERENCE_IMPORTS_QUELLOR_DLLS
#include <winsock.h>
#endif

namespace {

#ifdef REFERENCE_IMPORTS_QUELLOR_DLLS
const char kFrameClass[] = "TrayReferenceDllsFrame";
const char kFrameTitle[] = "TrayReferenceDlls";
#else
const char kFrameClass[] = "TrayReferenceFrame";
const char kFrameTitle[] = "TrayReference";
#endif

constexpr UINT kTrayMessage = WM_APP + 1;
constexpr UINT kIconId = 1;
constexpr UINT kExitCommand = 1;

NOTIFYICONDATAA IconRecord(HWND frame)
{
    NOTIFYICONDATAA record = {};
    record.cbSize = NOTIFYICONDATAA_V1_SIZE;
    record.hWnd = frame;
    record.uID = kIconId;
    return record;
}

void AddIcon(HWND frame)
{
    NOTIFYICONDATAA record = IconRecord(frame);
    record.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    record.uCallbackMessage = kTrayMessage;
    record.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    lstrcpynA(record.szTip, kFrameTitle, sizeof record.szTip);
    Shell_NotifyIconA(NIM_ADD, &record);
}

void RemoveIcon(HWND frame)
{
    NOTIFYICONDATAA record = IconRecord(frame);
    Shell_NotifyIconA(NIM_DELETE, &record);
}

void ShowMenu(HWND frame)
{
    const HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, MF_STRING, kExitCommand, "Exit");
    POINT cursor;
    GetCursorPos(&cursor);
    // Without the foreground the menu would not close on a click elsewhere.
    SetForegroundWindow(frame);
    TrackPopupMenu(menu, TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, frame, nullptr);
    PostMessageA(frame, WM_NULL, 0, 0);
    DestroyMenu(menu);
}

LRESULT CALLBACK FrameProcedure(HWND frame, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case kTrayMessage:
        if (lParam == WM_RBUTTONUP) {
            ShowMenu(frame);
        }
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == kExitCommand) {
            DestroyWindow(frame);
        }
        return 0;
    case WM_DESTROY:
        RemoveIcon(frame);
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(frame, message, wParam, lParam);
    }
}

#ifdef REFERENCE_IMPORTS_QUELLOR_DLLS
// Named, never called: the loader maps and starts each DLL at launch, as it
// does for Quellor, which imports them all. The volatile table keeps the
// compiler and the linker from dropping the imports.
using AnyFunction = void (*)();
void KeepQuellorImports()
{
    volatile AnyFunction imports[] = {
        reinterpret_cast<AnyFunction>(&WSAGetLastError),
        reinterpret_cast<AnyFunction>(&RegCloseKey),
        reinterpret_cast<AnyFunction>(&GetStockObject),
    };
    (void)imports;
}
#endif

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
#ifdef REFERENCE_IMPORTS_QUELLOR_DLLS
    KeepQuellorImports();
#endif
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = FrameProcedure;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kFrameClass;
    if (RegisterClassA(&windowClass) == 0) {
        return 1;
    }
    // Hidden, as a tray program's frame is: the icon is its only presence.
    const HWND frame = CreateWindowA(kFrameClass, kFrameTitle, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                                     CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, nullptr);
    if (frame == nullptr) {
        return 1;
    }
    AddIcon(frame);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}
