#pragma once
// A notification area of the test's own, on a thread of its own: a hidden,
// topmost "Shell_TrayWnd" window, which Wine's Shell_NotifyIcon finds before
// its own. It takes every icon and keeps each picture it is shown, as the
// bits of the picture's colour bitmap (GetBitmapBits), in order.
#include "TestThread.h"
#include "win/CriticalSection.h"

#include <windows.h>

#include <cstddef>
#include <vector>

using PictureBits = std::vector<BYTE>;

class CTrayStandIn {
public:
    CTrayStandIn();
    ~CTrayStandIn();
    CTrayStandIn(const CTrayStandIn&) = delete;
    CTrayStandIn& operator=(const CTrayStandIn&) = delete;

    bool IsReady() const { return window != nullptr; }
    std::size_t PictureCount() const;
    // The pictures shown from the first'th on.
    std::vector<PictureBits> PicturesSince(std::size_t first) const;
    PictureBits LastPicture() const;

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Run();
    void Take(const COPYDATASTRUCT& data);

    HANDLE ready;
    HWND window = nullptr;
    mutable win::CCriticalSection section;
    std::vector<PictureBits> pictures;
    CTestThread thread;
};

// An icon's picture as the stand-in receives it.
PictureBits IconBits(HICON icon);
// An icon resource of the program at the small-icon size (the test programs
// carry the program's resources).
PictureBits ProgramPicture(int iconId);
