#include "TrayAnimation.h"

#include "TestWindows.h"

#include <algorithm>
#include <cstdlib>
#include <utility>
#include <vector>

namespace {

// With no tray on the X display, Wine shows its own notification area: a
// window of the X11 driver's own class in older versions, the shell's
// "Shell_TrayWnd" window shown on its own in newer ones. A test's stand-in
// for the shell, of the same class, stays hidden.
HWND StandaloneTray()
{
    if (const HWND tray = FindWindowA("__winex11_standalone_tray", nullptr)) {
        return tray;
    }
    for (HWND shell = FindWindowExA(nullptr, nullptr, "Shell_TrayWnd", nullptr); shell != nullptr;
         shell = FindWindowExA(nullptr, shell, "Shell_TrayWnd", nullptr)) {
        if (IsWindowVisible(shell)) {
            return shell;
        }
    }
    return nullptr;
}

// The pixels of the tray's icons as the screen shows them: its client area,
// without a caption that turns active and inactive.
std::vector<BYTE> Capture(HWND tray)
{
    RECT area;
    if (!GetClientRect(tray, &area) || area.right <= area.left || area.bottom <= area.top) {
        return {};
    }
    MapWindowPoints(tray, nullptr, reinterpret_cast<POINT*>(&area), 2);
    return ScreenPixels(area);
}

// Wine's tray draws a new picture over the old one without clearing it, so
// the half-transparent edge pixels of a true-colour icon drift a little each
// time the same picture comes back. Two captures show the same picture when
// no colour differs by more than that drift; the two pictures of the
// animation differ by far more (the lamp alone goes from green to dark
// green).
constexpr int kBlendingDrift = 48;

bool SamePicture(const std::vector<BYTE>& first, const std::vector<BYTE>& second)
{
    if (first.size() != second.size()) {
        return false;
    }
    for (std::size_t i = 0; i < first.size(); ++i) {
        if (std::abs(first[i] - second[i]) > kBlendingDrift) {
            return false;
        }
    }
    return true;
}

enum class TrayPictures { Missing, Still, Animating };

TrayPictures WatchTray(DWORD watchMs)
{
    const HWND tray = StandaloneTray();
    if (tray == nullptr) {
        return TrayPictures::Missing;
    }
    // An animation shows a picture again after another one; a tray that is
    // merely being drawn or rearranged changes without coming back.
    std::vector<std::vector<BYTE>> shown = {Capture(tray)};
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < watchMs) {
        Sleep(100);
        std::vector<BYTE> now = Capture(tray);
        if (SamePicture(now, shown.back())) {
            continue;
        }
        const auto seen = [&](const std::vector<BYTE>& earlier) { return SamePicture(now, earlier); };
        if (std::any_of(shown.begin(), shown.end(), seen)) {
            return TrayPictures::Animating;
        }
        shown.push_back(std::move(now));
    }
    return TrayPictures::Still;
}

}  // namespace

bool TrayIconAnimates(DWORD watchMs)
{
    return WatchTray(watchMs) == TrayPictures::Animating;
}

bool TrayIconIsStill(DWORD watchMs)
{
    return WatchTray(watchMs) == TrayPictures::Still;
}
