#pragma once
// Watches the dial-up networking service for connections that come up and go
// away. A worker thread of idle priority enumerates the active connections
// every 10 seconds and compares the list with the one it kept from the cycle
// before; a derived class hears of each change.
#include "engine/ConnectionRecord.h"
#include "win/Handles.h"
#include "win/SharedHold.h"

#include <windows.h>

#include <atomic>
#include <memory>
#include <vector>

// One entry of the service's connection list in its 412-byte form, the
// oldest one every version of the service accepts. Defined here because the
// SDK's RASCONN grows with the target version.
struct RasConnection {
    DWORD dwSize;
    HANDLE hrasconn;
    char szEntryName[257];
    char szDeviceType[17];
    char szDeviceName[129];
};
static_assert(sizeof(void*) != 4 || sizeof(RasConnection) == 412, "the service expects 412-byte entries");

constexpr DWORD kRasConnectionSize = sizeof(RasConnection);

// The enumeration call: buffer, its size in bytes (in/out), entry count (out).
using EnumerateConnectionsFunction = DWORD(WINAPI*)(RasConnection* buffer, DWORD* byteCount, DWORD* connectionCount);

// RasEnumConnectionsA of the system's remote access service, loaded from the
// system directory at the first call; ERROR_MOD_NOT_FOUND without one.
DWORD WINAPI EnumerateRasConnections(RasConnection* buffer, DWORD* byteCount, DWORD* connectionCount);

class CConnectionWatch {
public:
    explicit CConnectionWatch(EnumerateConnectionsFunction enumerate = EnumerateRasConnections);
    CConnectionWatch(const CConnectionWatch&) = delete;
    CConnectionWatch& operator=(const CConnectionWatch&) = delete;
    virtual ~CConnectionWatch();

    // Starts the worker, which reports every connection already up as it
    // does at the program's start, even those of a run before a Stop; false
    // with last error ERROR_TOO_MANY_TCBS when the thread cannot be created.
    bool Start();
    // Ends the worker and waits for it, unless it is inside a call of the
    // service: that call may never return, so the worker is left to end by
    // itself and touches nothing of this object from then on. Always true.
    bool Stop();
    bool IsWatching() const { return static_cast<bool>(worker); }

protected:
    virtual void OnConnected(const ConnectionRecord& connection);
    virtual void OnDisconnected(const ConnectionRecord& connection);
    // After every enumeration that succeeded, once the changes are told.
    virtual void OnPolled() {}

    // True from the moment Stop begins until the worker has ended.
    bool IsStopping() const { return stopRequested.load() != 0; }
    // The connections up at the last enumeration, as the worker sees them.
    const std::vector<ConnectionRecord>& KeptConnections() const { return keptConnections; }
    // One enumeration on the caller's thread, for a watch whose worker does
    // not run: it would race with the worker's own.
    void Poll();

private:
    // Where the worker is, shared with it so that a watch which has left it
    // inside the service's call can be destroyed under it.
    enum WorkerPlace { kElsewhere, kInServiceCall, kLeft };
    using SharedPlace = std::atomic<int>;
    struct WorkerStart;

    // One enumeration; false when the watch left the worker during the
    // service's call, after which nothing of this object may be touched.
    bool PollFrom(SharedPlace& place);
    // The service's call, marked in place; false when the watch left it.
    bool CallService(SharedPlace& place, RasConnection* buffer, DWORD* byteCount, DWORD* count, DWORD& result);
    // The comparison with the kept list: vanished connections first, from
    // the last kept to the first, then new ones in the order given. A
    // vanished connection has left the kept list when it is reported.
    void OnConnectionsChanged(const RasConnection* connections, DWORD count);
    static DWORD WINAPI WorkerMain(void* start);
    void RunWorker(SharedPlace& place);

    EnumerateConnectionsFunction enumerate;
    std::vector<ConnectionRecord> keptConnections;
    win::CKernelHandle worker;
    win::CSharedHold<SharedPlace> workerPlace;
    // Wakes the worker from its pause when a stop is requested.
    win::CKernelHandle stopEvent;
    std::atomic<int> stopRequested{0};
};
