#pragma once
// The connection watch of dialing again: after every enumeration of the
// dial-up service it sends the frame WM_REDIAL_POLLED with the entries that
// are up (lParam: a std::vector<std::string>, valid during the call). It
// runs only while there is something to dial again.
#include "engine/ConnectionWatch.h"

#include <windows.h>

class CRedialWatch : public CConnectionWatch {
public:
    explicit CRedialWatch(EnumerateConnectionsFunction enumerate = EnumerateRasConnections)
        : CConnectionWatch(enumerate)
    {
    }
    CRedialWatch(const CRedialWatch&) = delete;
    CRedialWatch& operator=(const CRedialWatch&) = delete;
    ~CRedialWatch() override;

    bool Start(HWND window);

protected:
    void OnPolled() override;

private:
    HWND notifyWindow = nullptr;
};
