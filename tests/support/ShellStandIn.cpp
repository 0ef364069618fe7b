#include "ShellStandIn.h"

#include <shellapi.h>

#include <cstring>

namespace {

constexpr const char* kShellClass = "Shell_TrayWnd";

// Wine's copy of a notification: a record of fixed size, then the mask's bits
// and the colour bitmap's when the notification carries a picture. The record
// starts with the window, icon id, flags and callback message in 32 bits
// each; the tip (128 UTF-16 units) and the colour bitmap's width, height,
// planes and bits per pixel lie where the Wine version puts them.
struct RecordLayout {
    DWORD size;
    DWORD tipOffset;
    DWORD pictureOffset;
};
constexpr RecordLayout kWine8Record = {960, 16, 944};  // the picture after state, balloon and GUID
constexpr RecordLayout kWine10Record = {976, 32, 16};  // the picture right after the header
constexpr DWORD kTipUnits = 128;
// The balloon follows the tip, the icon's state and its mask: its text (256
// units), the time-out, its title (64 units) and its flags.
constexpr DWORD kBalloonTextAfterTip = kTipUnits * 2 + 8;
constexpr DWORD kBalloonTitleAfterTip = kBalloonTextAfterTip + 512 + 4;
constexpr DWORD kBalloonFlagsAfterTip = kBalloonTitleAfterTip + 128;

std::string Text(const BYTE* data, DWORD offset, DWORD units)
{
    std::string text(units * 2 + 1, '\0');
    WideCharToMultiByte(CP_ACP, 0, reinterpret_cast<const wchar_t*>(data + offset), static_cast<int>(units), &text[0],
                        static_cast<int>(text.size() - 1), nullptr, nullptr);
    return text.c_str();
}

DWORD Read32(const BYTE* data, DWORD offset)
{
    DWORD value = 0;
    std::memcpy(&value, data + offset, sizeof value);
    return value;
}

// The bytes of the mask's bits and of the colour bitmap's that the record's
// picture description calls for, each in rows of whole 16-bit words; none
// when it describes no icon (at most 256 by 256 pixels, in one plane).
struct PictureBytes {
    std::size_t mask = 0;
    std::size_t colour = 0;
};

PictureBytes DescribedPicture(const BYTE* data, const RecordLayout& layout)
{
    const std::size_t width = Read32(data, layout.pictureOffset);
    const std::size_t height = Read32(data, layout.pictureOffset + 4);
    const DWORD planes = Read32(data, layout.pictureOffset + 8);
    const std::size_t bitsPerPixel = Read32(data, layout.pictureOffset + 12);
    if (width == 0 || width > 256 || height == 0 || height > 256 || planes != 1 || bitsPerPixel == 0 ||
        bitsPerPixel > 32) {
        return {};
    }
    return {(width * height + 15) / 16 * 2, (width * height * bitsPerPixel + 15) / 16 * 2};
}

// The layout whose size the copy has: the record alone, or the record and
// exactly the bits its picture description calls for. Nothing else passes
// for a notification, so neither layout is read as the other.
const RecordLayout* LayoutOf(const BYTE* data, DWORD size)
{
    for (const RecordLayout* layout : {&kWine8Record, &kWine10Record}) {
        if (size == layout->size) {
            return layout;
        }
        if (size > layout->size) {
            const PictureBytes picture = DescribedPicture(data, *layout);
            if (picture.colour != 0 && size - layout->size == picture.mask + picture.colour) {
                return layout;
            }
        }
    }
    return nullptr;
}

// The colour bits, which end the copy, or none.
PictureBits ColourBits(const BYTE* data, DWORD size, const RecordLayout& layout)
{
    const std::size_t bytes = size > layout.size ? DescribedPicture(data, layout).colour : 0;
    if (bytes == 0) {
        return {};
    }
    return PictureBits(data + size - bytes, data + size);
}

}  // namespace

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
    const RecordLayout* layout = data != nullptr ? LayoutOf(data, size) : nullptr;
    if (layout == nullptr) {
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
    if (answer != FALSE && icon.shown && (flags & NIF_ICON) != 0) {
        PictureBits shown = ColourBits(data, size, *layout);
        if (!shown.empty()) {
            pictures.push_back(std::move(shown));
        }
    }
    if (answer != FALSE && icon.shown && (flags & NIF_TIP) != 0) {
        icon.tip = Text(data, layout->tipOffset, kTipUnits);
    }
    if (answer != FALSE && icon.shown && (flags & NIF_INFO) != 0) {
        balloons.push_back({Text(data, layout->tipOffset + kBalloonTitleAfterTip, 64),
                            Text(data, layout->tipOffset + kBalloonTextAfterTip, 256),
                            Read32(data, layout->tipOffset + kBalloonFlagsAfterTip)});
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

std::vector<PictureBits> CShellStandIn::Pictures() const
{
    const win::CCriticalSection::CHold hold(lock);
    return pictures;
}

std::vector<ShellBalloon> CShellStandIn::Balloons() const
{
    const win::CCriticalSection::CHold hold(lock);
    return balloons;
}
