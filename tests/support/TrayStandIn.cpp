#include "TrayStandIn.h"

#include <shellapi.h>

namespace {

constexpr const char* kClassName = "Shell_TrayWnd";
// Wine's record: window, id, flags, callback message, a 128-character tip,
// state, balloon fields and GUID up to here, then the colour bitmap's width,
// height, planes and bits per pixel, then the mask's and the colour bitmap's
// bits.
constexpr std::size_t kSizeOffset = 944;
constexpr std::size_t kBitsOffset = 960;

template <class T>
T ReadAt(const BYTE* data, std::size_t offset)
{
    T value;
    CopyMemory(&value, data + offset, sizeof value);
    return value;
}

}  // namespace

CTrayStandIn::CTrayStandIn()
    : ready(CreateEventA(nullptr, TRUE, FALSE, nullptr)), thread([this] { Run(); })
{
    WaitForSingleObject(ready, 5000);
}

CTrayStandIn::~CTrayStandIn()
{
    if (window != nullptr) {
        PostMessageA(window, WM_CLOSE, 0, 0);
    }
    thread.Join();
    CloseHandle(ready);
}

void CTrayStandIn::Run()
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kClassName;
    RegisterClassA(&windowClass);
    const HWND created = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kClassName, "", WS_POPUP, 0, 0, 0, 0,
                                         nullptr, nullptr, windowClass.hInstance, this);
    window = created;
    SetEvent(ready);
    if (created == nullptr) {
        return;
    }
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        DispatchMessageA(&message);
    }
    window = nullptr;
}

LRESULT CALLBACK CTrayStandIn::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        SetWindowLongPtrA(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
    }
    auto* self = reinterpret_cast<CTrayStandIn*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    switch (message) {
    case WM_COPYDATA:
        self->Take(*reinterpret_cast<const COPYDATASTRUCT*>(lParam));
        return TRUE;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

// The colour bits are the record's last bytes: width x height at 32 bits.
void CTrayStandIn::Take(const COPYDATASTRUCT& data)
{
    const auto* bytes = static_cast<const BYTE*>(data.lpData);
    if ((data.dwData != NIM_ADD && data.dwData != NIM_MODIFY) || data.cbData < kBitsOffset ||
        (ReadAt<UINT>(bytes, 8) & NIF_ICON) == 0 || ReadAt<UINT>(bytes, kSizeOffset + 12) != 32) {
        return;
    }
    const std::size_t colourBytes =
        std::size_t{ReadAt<UINT>(bytes, kSizeOffset)} * ReadAt<UINT>(bytes, kSizeOffset + 4) * 4;
    if (data.cbData < kBitsOffset + colourBytes) {
        return;
    }
    const win::CCriticalSection::CHold hold(section);
    pictures.emplace_back(bytes + data.cbData - colourBytes, bytes + data.cbData);
}

std::size_t CTrayStandIn::PictureCount() const
{
    const win::CCriticalSection::CHold hold(section);
    return pictures.size();
}

std::vector<PictureBits> CTrayStandIn::PicturesSince(std::size_t first) const
{
    const win::CCriticalSection::CHold hold(section);
    return first < pictures.size() ? std::vector<PictureBits>(pictures.begin() + static_cast<std::ptrdiff_t>(first),
                                                              pictures.end())
                                   : std::vector<PictureBits>();
}

PictureBits CTrayStandIn::LastPicture() const
{
    const win::CCriticalSection::CHold hold(section);
    return pictures.empty() ? PictureBits() : pictures.back();
}

PictureBits IconBits(HICON icon)
{
    ICONINFO info = {};
    PictureBits bits;
    if (icon != nullptr && GetIconInfo(icon, &info)) {
        BITMAP colour = {};
        if (info.hbmColor != nullptr && GetObjectA(info.hbmColor, sizeof colour, &colour) != 0) {
            bits.resize(static_cast<std::size_t>(colour.bmWidthBytes) * static_cast<std::size_t>(colour.bmHeight));
            GetBitmapBits(info.hbmColor, static_cast<LONG>(bits.size()), bits.data());
        }
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
    }
    return bits;
}

PictureBits ProgramPicture(int iconId)
{
    const auto icon = static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(iconId), IMAGE_ICON,
                                                    GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
    const PictureBits bits = IconBits(icon);
    if (icon != nullptr) {
        DestroyIcon(icon);
    }
    return bits;
}
