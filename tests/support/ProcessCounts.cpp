#include "ProcessCounts.h"

#include "win/Handles.h"

#include <tlhelp32.h>

#include <vector>

namespace {

// The system handle list as NtQuerySystemInformation class 16 returns it.
struct SystemHandleEntry {
    ULONG ownerProcessId;
    BYTE objectType;
    BYTE flags;
    USHORT value;
    PVOID object;
    ACCESS_MASK access;
};

struct SystemHandleList {
    ULONG count;
    SystemHandleEntry entries[1];
};

using QuerySystemInformation = LONG(WINAPI*)(ULONG infoClass, PVOID buffer, ULONG size, PULONG needed);

constexpr ULONG kSystemHandleInformation = 16;
constexpr LONG kInfoLengthMismatch = static_cast<LONG>(0xC0000004);

std::size_t CountInSystemHandleList(DWORD processId)
{
    const auto query = reinterpret_cast<QuerySystemInformation>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation")));
    if (query == nullptr) {
        return 0;
    }
    std::vector<char> buffer(1 << 16);
    LONG status = 0;
    ULONG needed = 0;
    while ((status = query(kSystemHandleInformation, buffer.data(), static_cast<ULONG>(buffer.size()), &needed)) ==
           kInfoLengthMismatch) {
        buffer.resize(buffer.size() * 2);
    }
    if (status != 0) {
        return 0;
    }
    const auto* list = reinterpret_cast<const SystemHandleList*>(buffer.data());
    std::size_t count = 0;
    for (ULONG i = 0; i < list->count; ++i) {
        count += list->entries[i].ownerProcessId == processId ? 1 : 0;
    }
    return count;
}

}  // namespace

std::size_t ProcessThreadCount(DWORD processId)
{
    const HANDLE taken = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (taken == INVALID_HANDLE_VALUE) {
        return 0;
    }
    const win::CKernelHandle snapshot(taken);
    THREADENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    std::size_t count = 0;
    for (BOOL more = Thread32First(snapshot.Get(), &entry); more; more = Thread32Next(snapshot.Get(), &entry)) {
        count += entry.th32OwnerProcessID == processId ? 1 : 0;
    }
    return count;
}

std::size_t ProcessHandleCount(DWORD processId)
{
    const win::CKernelHandle process(OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, processId));
    DWORD count = 0;
    if (process && GetProcessHandleCount(process.Get(), &count) && count != 0) {
        return count;
    }
    return CountInSystemHandleList(processId);
}
