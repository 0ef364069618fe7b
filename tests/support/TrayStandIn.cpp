#include "TrayStandIn.h"

#include <shellapi.h>

PictureBits IconBits(HICON icon)
{
    ICONINFO info = {};
    BITMAP colour = {};
    PictureBits bits;
    if (icon != nullptr && GetIconInfo(icon, &info) && GetObjectA(info.hbmColor, sizeof colour, &colour) != 0) {
        bits.resize(static_cast<std::size_t>(colour.bmWidthBytes) * static_cast<std::size_t>(colour.bmHeight));
        GetBitmapBits(info.hbmColor, static_cast<LONG>(bits.size()), bits.data());
    }
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return bits;
}

CTrayStandIn::CTrayStandIn() : ready(CreateEventA(nullptr, TRUE, FALSE, nullptr)), thread([this] { Run(); })
{
    WaitForSingleObject(ready, 5000);
}

CTrayStandIn::~CTrayStandIn()
{
    PostMessageA(window, WM_CLOSE, 0, 0);
    thread.Join();
    CloseHandle(ready);
}

void CTrayStandIn::Run()
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "Shell_TrayWnd";
    RegisterClassA(&windowClass);
    window = CreateWindowExA(WS_EX_TOPMOST, windowClass.lpszClassName, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                             windowClass.hInstance, this);
    SetEvent(ready);
    MSG message;
    while (window != nullptr && GetMessageA(&message, nullptr, 0, 0) > 0) {
        DispatchMessageA(&message);
    }
}

// Wine's record: window, id, flags, callback message, a 128-character tip,
// state, balloon fields and GUID; from byte 944 the colour bitmap's width,
// height, planes and bits per pixel; from byte 960 the mask's bits, then
// the colour bitmap's, which end the record.
LRESULT CALLBACK CTrayStandIn::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        SetWindowLongPtrA(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
    } else if (message == WM_DESTROY) {
        PostQuitMessage(0);
    } else if (message == WM_COPYDATA) {
        auto* self = reinterpret_cast<CTrayStandIn*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        const auto& data = *reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        const auto* record = static_cast<const UINT*>(data.lpData);
        const std::size_t bytes = data.dwData == NIM_DELETE || data.cbData < 960 || (record[2] & NIF_ICON) == 0
                                      ? 0
                                      : std::size_t{record[236]} * record[237] * record[239] / 8;
        if (bytes != 0 && bytes <= data.cbData - 960) {
            const auto* end = static_cast<const BYTE*>(data.lpData) + data.cbData;
            const win::CCriticalSection::CHold hold(self->section);
            self->pictures.emplace_back(end - bytes, end);
        }
        return TRUE;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

std::vector<PictureBits> CTrayStandIn::Pictures() const
{
    const win::CCriticalSection::CHold hold(section);
    return pictures;
}
