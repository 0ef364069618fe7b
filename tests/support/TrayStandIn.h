#pragma once
// A notification area of the test's own, on a thread of its own: a hidden,
// topmost "Shell_TrayWnd" window, which Wine's Shell_NotifyIcon reaches
// before its own. It takes every icon and keeps each picture it is shown.
#include "TestThread.h"
#include "win/CriticalSection.h"

#include <windows.h>

#include <vector>

// A picture as the bits of its colour bitmap (GetBitmapBits), the form in
// which Wine's Shell_NotifyIcon hands it on.
using PictureBits = std::vector<BYTE>;
PictureBits IconBits(HICON icon);

class CTrayStandIn {
public:
    CTrayStandIn();
    ~CTrayStandIn();

    // Every picture shown so far, in order.
    std::vector<PictureBits> Pictures() const;

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Run();

    HANDLE ready;
    HWND window = nullptr;
    mutable win::CCriticalSection section;
    std::vector<PictureBits> pictures;
    CTestThread thread;
};
