#include "engine/KeepAwake.h"

#include "win/SystemLibrary.h"

namespace {

// Windows 7's power requests, which the XP-level headers lack.
struct ReasonContext {
    ULONG version;
    DWORD flags;
    const wchar_t* simpleReasonString;
    void* unusedRest[3];  // the union's detailed form is larger
};
constexpr ULONG kReasonContextVersion = 0;
constexpr DWORD kSimpleString = 0x1;
constexpr int kSystemRequired = 1;  // PowerRequestSystemRequired

using CreateRequestFunction = HANDLE(WINAPI*)(ReasonContext* context);
using RequestFunction = BOOL(WINAPI*)(HANDLE request, int type);

struct PowerRequests {
    CreateRequestFunction create = nullptr;
    RequestFunction set = nullptr;
    RequestFunction clear = nullptr;
};

const PowerRequests& Requests()
{
    static const PowerRequests requests = [] {
        const HMODULE kernel = GetModuleHandleA("kernel32.dll");
        PowerRequests found;
        found.create = win::FindFunction<CreateRequestFunction>(kernel, "PowerCreateRequest");
        found.set = win::FindFunction<RequestFunction>(kernel, "PowerSetRequest");
        found.clear = win::FindFunction<RequestFunction>(kernel, "PowerClearRequest");
        return found;
    }();
    return requests;
}

HANDLE CreateRequest(const PowerRequests& requests)
{
    static wchar_t reason[] = L"Quellor is keeping the Internet line up";
    ReasonContext context = {};
    context.version = kReasonContextVersion;
    context.flags = kSimpleString;
    context.simpleReasonString = reason;
    const HANDLE request = requests.create(&context);
    return request == INVALID_HANDLE_VALUE ? nullptr : request;
}

}  // namespace

bool KeepsAwake(bool wanted, bool onBatteryToo, const SYSTEM_POWER_STATUS& power)
{
    constexpr BYTE kOnBattery = 0;  // ACLineStatus: 1 mains, 255 unknown
    return wanted && (onBatteryToo || power.ACLineStatus != kOnBattery);
}

void CKeepAwake::Hold()
{
    if (IsHeld()) {
        return;
    }
    const PowerRequests& requests = Requests();
    if (requests.create != nullptr && requests.set != nullptr && requests.clear != nullptr) {
        if (!request) {
            request.Reset(CreateRequest(requests));
        }
        if (request && requests.set(request.Get(), kSystemRequired)) {
            held = Means::PowerRequest;
            return;
        }
    }
    if (SetThreadExecutionState(ES_CONTINUOUS | ES_SYSTEM_REQUIRED) != 0) {
        held = Means::ExecutionState;
    }
}

void CKeepAwake::Release()
{
    if (held == Means::PowerRequest) {
        Requests().clear(request.Get(), kSystemRequired);
    } else if (held == Means::ExecutionState) {
        SetThreadExecutionState(ES_CONTINUOUS);
    }
    held = Means::None;
}
