#pragma once
// The connection watch of AutoNetSense: tells the main frame window, by
// synchronous messages, when a dial-up connection comes up or goes away.
#include "engine/ConnectionWatch.h"
#include "res/AppMessages.h"

#include <windows.h>


class CAutoNetSenseWatch : public CConnectionWatch {
public:
    explicit CAutoNetSenseWatch(EnumerateConnectionsFunction enumerate = EnumerateRasConnections);
    ~CAutoNetSenseWatch() override;

    // Starts watching; notifyWindow receives WM_NET_CONNECTED and
    // WM_NET_DISCONNECTED.
    bool Start(HWND notifyWindow);

protected:
    void OnConnected(const ConnectionRecord& connection) override;
    void OnDisconnected(const ConnectionRecord& connection) override;

private:
    HWND notifyWindow = nullptr;
    // Between a connected message and the disconnected one that the last
    // connection's end sends.
    bool connectedSent = false;
};
