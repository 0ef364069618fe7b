#include "engine/AutoNetSenseWatch.h"

CAutoNetSenseWatch::CAutoNetSenseWatch(EnumerateConnectionsFunction enumerate) : CConnectionWatch(enumerate) {}

// Stopped here, not only in the base destructor, so that the worker never
// runs this class's notifications while the object is being torn down.
CAutoNetSenseWatch::~CAutoNetSenseWatch()
{
    Stop();
}

bool CAutoNetSenseWatch::Start(HWND window)
{
    notifyWindow = window;
    if (!IsWatching()) {
        connectedSent = false;
    }
    return CConnectionWatch::Start();
}

// Once Stop has begun the window is gone or going: a notification that
// starts now is dropped, and one already under way fails at the window.
void CAutoNetSenseWatch::OnConnected(const ConnectionRecord& connection)
{
    if (connectedSent || IsStopping()) {
        return;
    }
    SendMessageA(notifyWindow, WM_NET_CONNECTED, 0, reinterpret_cast<LPARAM>(&connection));
    connectedSent = true;
}

// Only the last connection to go ends the activity: another line that is
// still up keeps it on.
void CAutoNetSenseWatch::OnDisconnected(const ConnectionRecord& connection)
{
    if (IsStopping() || !KeptConnections().empty()) {
        return;
    }
    SendMessageA(notifyWindow, WM_NET_DISCONNECTED, 0, reinterpret_cast<LPARAM>(&connection));
    connectedSent = false;
}
