#include "engine/ConnectionWatch.h"

#include "engine/ConnectionList.h"
#include "win/SystemLibrary.h"

#include <raserror.h>

#include <algorithm>
#include <exception>

namespace {

constexpr DWORD kPauseMs = 10000;
// How often a stop looks whether the worker has gone into the service's call.
constexpr DWORD kStopCheckMs = 20;
// Far more than any service reports, and small enough that count × 412
// cannot overflow a byte count.
constexpr DWORD kMostConnections = 4096;

// The service need not terminate a text that fills its field.
template <std::size_t N>
std::string_view FieldText(const char (&field)[N])
{
    return std::string_view(field, static_cast<std::size_t>(std::find(field, field + N, '\0') - field));
}

}  // namespace

DWORD WINAPI EnumerateRasConnections(RasConnection* buffer, DWORD* byteCount, DWORD* connectionCount)
{
    // Loaded at the first poll, by whichever thread comes first.
    static const EnumerateConnectionsFunction enumerate =
        win::FindFunction<EnumerateConnectionsFunction>(win::LoadSystemLibrary("rasapi32.dll"), "RasEnumConnectionsA");
    if (enumerate == nullptr) {
        return ERROR_MOD_NOT_FOUND;
    }
    return enumerate(buffer, byteCount, connectionCount);
}

// What a new worker is given: the watch, and its own share of its place.
struct CConnectionWatch::WorkerStart {
    CConnectionWatch* watch;
    win::CSharedHold<SharedPlace> place;
};

CConnectionWatch::CConnectionWatch(EnumerateConnectionsFunction enumerate) : enumerate(enumerate) {}

CConnectionWatch::~CConnectionWatch()
{
    Stop();
}

bool CConnectionWatch::Start()
{
    if (worker) {
        return true;
    }
    if (!stopEvent) {
        stopEvent.Reset(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    }
    stopRequested = 0;
    keptConnections.clear();
    if (stopEvent) {
        ResetEvent(stopEvent.Get());
        auto start = std::make_unique<WorkerStart>(WorkerStart{this, win::CSharedHold<SharedPlace>::Make(kElsewhere)});
        worker.Reset(CreateThread(nullptr, 0, WorkerMain, start.get(), CREATE_SUSPENDED, nullptr));
        if (worker) {
            workerPlace = start->place;
            start.release();  // NOLINT(bugprone-unused-return-value): the new thread owns it from now on
        }
    }
    if (!worker) {
        SetLastError(ERROR_TOO_MANY_TCBS);
        return false;
    }
    SetThreadPriority(worker.Get(), THREAD_PRIORITY_IDLE);
    ResumeThread(worker.Get());
    return true;
}

// The thread that stops the watch may own the window the worker notifies,
// and the worker may be inside a SendMessage to it. A plain wait would then
// hold both threads for ever, so the wait answers incoming sent messages
// until the worker ends: a send to a window that is gone fails at once, one
// to a live window is handled. The stop event cuts the worker's pause short.
// A call of the service can take as long as the service likes (a minute, or
// for ever), and nothing can cut it short: a worker found inside one is left
// there, and when the call returns it ends without another step.
bool CConnectionWatch::Stop()
{
    if (!worker) {
        return true;
    }
    stopRequested = 1;
    SetEvent(stopEvent.Get());
    const HANDLE thread = worker.Get();
    // At idle priority, a worker on a busy machine would be scheduled only
    // by the system's occasional boost against starvation, seconds later.
    SetThreadPriority(thread, THREAD_PRIORITY_NORMAL);
    for (;;) {
        int inCall = kInServiceCall;
        if (workerPlace->compare_exchange_strong(inCall, kLeft)) {
            break;
        }
        MSG message;
        PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
        const DWORD woken = MsgWaitForMultipleObjectsEx(1, &thread, kStopCheckMs, QS_SENDMESSAGE, MWMO_INPUTAVAILABLE);
        if (woken != WAIT_OBJECT_0 + 1 && woken != WAIT_TIMEOUT) {
            break;
        }
    }
    worker.Reset();
    workerPlace.Reset();
    stopRequested = 0;
    return true;
}

void CConnectionWatch::Poll()
{
    if (worker) {
        return;
    }
    // A poll of the caller's own has no worker to leave.
    SharedPlace place(kElsewhere);
    PollFrom(place);
}

bool CConnectionWatch::CallService(SharedPlace& place, RasConnection* buffer, DWORD* byteCount, DWORD* count,
                                   DWORD& result)
{
    const EnumerateConnectionsFunction call = enumerate;
    place = kInServiceCall;
    result = call(buffer, byteCount, count);
    int inCall = kInServiceCall;
    return place.compare_exchange_strong(inCall, kElsewhere);
}

bool CConnectionWatch::PollFrom(SharedPlace& place)
{
    RasConnection single = {};
    single.dwSize = kRasConnectionSize;
    DWORD byteCount = kRasConnectionSize;
    DWORD count = 0;
    DWORD result = 0;
    if (!CallService(place, &single, &byteCount, &count, result)) {
        return false;
    }
    if (result == 0) {
        // Never trust a count beyond what the buffer holds.
        count = std::min<DWORD>(count, 1);
        OnConnectionsChanged(count != 0 ? &single : nullptr, count);
        return true;
    }
    if (result != ERROR_BUFFER_TOO_SMALL) {
        return true;
    }
    // The bytes needed are what the service documents; the count it gives
    // is of entries written, none here, though most services give it too.
    const DWORD capacity = std::max(byteCount / kRasConnectionSize, count);
    if (capacity == 0 || capacity > kMostConnections) {
        return true;
    }
    std::vector<RasConnection> buffer(capacity);
    buffer[0].dwSize = kRasConnectionSize;
    byteCount = capacity * kRasConnectionSize;
    if (!CallService(place, buffer.data(), &byteCount, &count, result)) {
        return false;
    }
    if (result != 0) {
        return true;
    }
    count = std::min(count, capacity);
    OnConnectionsChanged(count != 0 ? buffer.data() : nullptr, count);
    return true;
}

void CConnectionWatch::OnConnected(const ConnectionRecord&) {}

void CConnectionWatch::OnDisconnected(const ConnectionRecord&) {}

void CConnectionWatch::OnConnectionsChanged(const RasConnection* connections, DWORD count)
{
    if (connections == nullptr) {
        count = 0;
    }
    // The usual one connection needs no allocation.
    std::string_view single;
    std::vector<std::string_view> several;
    const std::string_view* names = &single;
    if (count == 1) {
        single = FieldText(connections[0].szEntryName);
    } else if (count > 1) {
        for (DWORD i = 0; i < count; ++i) {
            several.push_back(FieldText(connections[i].szEntryName));
        }
        names = several.data();
    }
    const ConnectionListChange change = CompareConnectionLists(keptConnections, names, count);
    for (const std::size_t position : change.vanished) {
        const ConnectionRecord gone = keptConnections[position];
        // Removed first, so that the notification sees what is still up.
        keptConnections.erase(keptConnections.begin() + static_cast<std::ptrdiff_t>(position));
        OnDisconnected(gone);
    }
    for (const std::size_t position : change.arrived) {
        const ConnectionRecord record{std::string(names[position])};
        OnConnected(record);
        keptConnections.push_back(record);
    }
    OnPolled();
}

DWORD WINAPI CConnectionWatch::WorkerMain(void* start)
{
    const std::unique_ptr<WorkerStart> owned(static_cast<WorkerStart*>(start));
    try {
        owned->watch->RunWorker(*owned->place);
    } catch (...) {
        // Nothing may leave a thread's entry point: the watch stops watching,
        // and the thread's exit code says that it failed.
        return 1;
    }
    return 0;
}

void CConnectionWatch::RunWorker(SharedPlace& place)
{
    while (stopRequested == 0) {
        try {
            if (!PollFrom(place)) {
                // Left inside the service's call: the watch may be gone.
                return;
            }
        } catch (const std::exception&) {  // NOLINT(bugprone-empty-catch): a failed cycle is retried by the next
            // Out of memory in one cycle: the next cycle tries again.
        }
        WaitForSingleObject(stopEvent.Get(), kPauseMs);
    }
}
