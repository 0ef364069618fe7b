#pragma once
#include <windows.h>

class CAutoNetSenseWatch {
public:
    bool Start(HWND) { return false; }
    int connectedSent = 0;
};
