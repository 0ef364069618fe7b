#include "engine/RedialWatch.h"

#include "res/AppMessages.h"

#include <string>
#include <vector>

// Stopped here, so that the worker never reports while this class's part of
// the object is being torn down.
CRedialWatch::~CRedialWatch()
{
    Stop();
}

bool CRedialWatch::Start(HWND window)
{
    notifyWindow = window;
    return CConnectionWatch::Start();
}

// Once Stop has begun, nothing more is told.
void CRedialWatch::OnPolled()
{
    if (IsStopping()) {
        return;
    }
    std::vector<std::string> entriesUp;
    for (const ConnectionRecord& connection : KeptConnections()) {
        entriesUp.push_back(connection.entryName);
    }
    SendMessageA(notifyWindow, WM_REDIAL_POLLED, 0, reinterpret_cast<LPARAM>(&entriesUp));
}
