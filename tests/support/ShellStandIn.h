#pragma once
// Stands in for the shell's notification area: a hidden, topmost window of
// the shell's class, on a thread of its own, which Shell_NotifyIcon of every
// program in the session finds before the real one. Like a shell, it takes
// an add only for an icon it does not have and a change only for one it
// has; it keeps each icon's tip and every picture and balloon it is shown.
#include "TestThread.h"
#include "win/CriticalSection.h"

#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

// A picture as the bits of its colour bitmap (GetBitmapBits), the form in
// which Wine's Shell_NotifyIcon hands it on.
using PictureBits = std::vector<BYTE>;
PictureBits IconBits(HICON icon);

// A balloon as the shell was asked to show it.
struct ShellBalloon {
    std::string title;
    std::string text;
    DWORD flags = 0;
};

class CShellStandIn {
public:
    CShellStandIn();
    ~CShellStandIn();
    CShellStandIn(const CShellStandIn&) = delete;
    CShellStandIn& operator=(const CShellStandIn&) = delete;

    bool IsReady() const { return window != nullptr; }
    bool Shows(HWND owner, UINT id) const;
    // The icon's tip, "\n" between its lines; empty when there is none.
    std::string Tip(HWND owner, UINT id) const;
    // Every picture shown so far, of any icon, in order.
    std::vector<PictureBits> Pictures() const;
    // Every balloon shown so far, of any icon, in order.
    std::vector<ShellBalloon> Balloons() const;

private:
    struct Icon {
        bool shown = false;
        std::string tip;
    };
    using Key = std::pair<HWND, UINT>;

    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnNotification(DWORD message, const BYTE* data, DWORD size);
    void Run(HANDLE ready);

    mutable win::CCriticalSection lock;
    std::map<Key, Icon> icons;
    std::vector<PictureBits> pictures;
    std::vector<ShellBalloon> balloons;
    HWND window = nullptr;
    std::unique_ptr<CTestThread> thread;
};
