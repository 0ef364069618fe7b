#include "win/PageBackground.h"

#include <commctrl.h>

namespace win {

namespace {

// Controls that paint their background with the brush their parent gives
// them, or with their parent's painting. Edit boxes, lists and the like
// keep their own: a read-only or disabled box asks too, but shows as such
// on the dialog's colour.
bool StandsOnPage(HWND control)
{
    char className[32] = {};
    GetClassNameA(control, className, sizeof className);
    return lstrcmpiA(className, "Static") == 0 || lstrcmpiA(className, "Button") == 0 ||
           lstrcmpiA(className, TRACKBAR_CLASSA) == 0;
}

RECT ScreenRect(HWND window)
{
    RECT rect = {};
    GetWindowRect(window, &rect);
    return rect;
}

// Remainder in 0..divisor-1, for brush origins left of or above the DC's.
LONG Wrapped(LONG value, LONG divisor)
{
    return divisor > 0 ? ((value % divisor) + divisor) % divisor : 0;
}

}  // namespace

HBRUSH CPageBackground::ForControl(HWND dialog, UINT message, HDC dc, HWND control)
{
    if (!StandsOnPage(control) || !Prepare(dialog)) {
        return nullptr;
    }
    const RECT body = Body();
    const RECT bounds = ScreenRect(control);
    const POINT middle = {(bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2};
    if (!PtInRect(&body, middle)) {
        return nullptr;
    }
    // The system's text colours for the control, as the default answer sets them.
    DefWindowProcA(dialog, message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control));
    SetBkMode(dc, TRANSPARENT);
    AlignBrush(dc, control);
    return brush.Get();
}

void CPageBackground::PrintUnder(HWND dialog, HDC dc)
{
    if (!Prepare(dialog)) {
        return;
    }
    RECT body = Body();
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&body), 2);
    const POINT old = AlignBrush(dc, dialog);
    FillRect(dc, &body, brush.Get());
    SetBrushOrgEx(dc, old.x, old.y, nullptr);
}

bool CPageBackground::Prepare(HWND dialog)
{
    if (painting) {
        return false;  // the tab control asked for what lies under it while being copied
    }
    if (tabs == nullptr || !IsWindow(tabs) || GetParent(tabs) != dialog) {
        brush.Reset();
        tabs = FindWindowExA(dialog, nullptr, WC_TABCONTROLA, nullptr);
        if (tabs == nullptr) {
            return false;
        }
    }
    const RECT bounds = ScreenRect(tabs);
    const SIZE now = {bounds.right - bounds.left, bounds.bottom - bounds.top};
    if (!brush || now.cx != size.cx || now.cy != size.cy) {
        size = now;
        MakeBrush(dialog, bounds);
    }
    return static_cast<bool>(brush);
}

void CPageBackground::MakeBrush(HWND dialog, const RECT& bounds)
{
    brush.Reset();
    if (size.cx <= 0 || size.cy <= 0) {
        return;
    }
    const HDC screen = GetDC(tabs);
    const HDC memory = CreateCompatibleDC(screen);
    const HBITMAP picture = CreateCompatibleBitmap(screen, size.cx, size.cy);
    const HGDIOBJ previous = SelectObject(memory, picture);
    painting = true;
    // First what the dialog paints there: a classic tab control leaves its
    // body to its parent.
    POINT corner = {bounds.left, bounds.top};
    ScreenToClient(dialog, &corner);
    SetViewportOrgEx(memory, -corner.x, -corner.y, nullptr);
    SendMessageA(dialog, WM_ERASEBKGND, reinterpret_cast<WPARAM>(memory), 0);
    SetViewportOrgEx(memory, 0, 0, nullptr);
    SendMessageA(tabs, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_ERASEBKGND | PRF_CLIENT);
    painting = false;
    SelectObject(memory, previous);
    // The brush keeps a copy of the picture.
    brush.Reset(CreatePatternBrush(picture));
    DeleteObject(picture);
    DeleteDC(memory);
    ReleaseDC(tabs, screen);
}

RECT CPageBackground::Body() const
{
    RECT body = ScreenRect(tabs);
    SendMessageA(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&body));
    return body;
}

POINT CPageBackground::AlignBrush(HDC dc, HWND drawnWindow) const
{
    const RECT bounds = ScreenRect(tabs);
    POINT corner = {bounds.left, bounds.top};
    ScreenToClient(drawnWindow, &corner);
    // Brush origins are in device units; the DC may be shifted (a control
    // that draws its parent's background into its own).
    LPtoDP(dc, &corner, 1);
    POINT old = {};
    SetBrushOrgEx(dc, Wrapped(corner.x, size.cx), Wrapped(corner.y, size.cy), &old);
    return old;
}

}  // namespace win
