#pragma once
// The WinInet calls a contact makes, through the system's WinInet loaded at
// the first contact that needs it: a program that stays OFF never loads it.
#include <windows.h>
#include <wininet.h>

#include "win/Handles.h"

class CWinInet {
public:
    // The system's WinInet, or null when it cannot be loaded.
    static const CWinInet* Get();

    decltype(&::InternetGetConnectedState) getConnectedState;
    decltype(&::InternetOpenA) open;
    decltype(&::InternetSetOptionA) setOption;
    decltype(&::InternetConnectA) connect;
    decltype(&::HttpOpenRequestA) openRequest;
    decltype(&::HttpSendRequestA) sendRequest;
    decltype(&::InternetCloseHandle) closeHandle;
};

// Only a WinInet that was loaded ever hands out a handle to close.
struct InternetHandleTraits {
    using Handle = HINTERNET;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { CWinInet::Get()->closeHandle(h); }
};

using CInternetHandle = win::CUniqueHandle<InternetHandleTraits>;
