#pragma once
// Stands in for the shell's notification area: a hidden, topmost window of
// the shell's class, on a thread of its own, which Shell_NotifyIcon of every
// program in the session finds before the real one. It takes every add,
// change and removal, and keeps each icon's tip as the program sent it.
#include "TestThread.h"
#include "win/CriticalSection.h"

#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <utility>

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
    HWND window = nullptr;
    std::unique_ptr<CTestThread> thread;
};
