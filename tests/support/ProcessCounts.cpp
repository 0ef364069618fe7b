#include "ProcessCounts.h"

#include "win/Handles.h"

#include <psapi.h>
#include <tlhelp32.h>

#include <cstdint>
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

// One entry of the GDI handle table as Wine lays it out in each process.
struct WineGdiHandleEntry {
    std::uint64_t object;
    ULONG owner;
    BYTE extendedType;  // the stock flag is its top bit
    BYTE generation;
    BYTE type;          // 0: a free entry
    BYTE flags;
    std::uint64_t userPointer;
};
static_assert(sizeof(WineGdiHandleEntry) == 24, "Wine's 24-byte entries");

constexpr std::size_t kGdiTableEntries = 0x10000;
constexpr BYTE kStockObject = 0x80;
// Where a 32-bit process environment block keeps the GDI table's address.
constexpr std::size_t kGdiTableOffsetInPeb = 0x94;

// ProcessBasicInformation of NtQueryInformationProcess.
struct ProcessBasics {
    LONG exitStatus;
    PVOID environmentBlock;
    ULONG_PTR affinityMask;
    LONG basePriority;
    ULONG_PTR processId;
    ULONG_PTR parentProcessId;
};

constexpr ULONG kProcessBasicInformation = 0;

using QueryProcessInformation = LONG(WINAPI*)(HANDLE process, ULONG infoClass, PVOID buffer, ULONG size,
                                              PULONG needed);

std::size_t CountInGdiHandleTable(HANDLE process)
{
    const auto query = reinterpret_cast<QueryProcessInformation>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess")));
    ProcessBasics basics = {};
    if (query == nullptr || query(process, kProcessBasicInformation, &basics, sizeof basics, nullptr) != 0) {
        return 0;
    }
    DWORD tableAddress = 0;
    const auto* tablePointer = static_cast<const BYTE*>(basics.environmentBlock) + kGdiTableOffsetInPeb;
    if (!ReadProcessMemory(process, tablePointer, &tableAddress, sizeof tableAddress, nullptr) || tableAddress == 0) {
        return 0;
    }
    std::vector<WineGdiHandleEntry> table(kGdiTableEntries);
    if (!ReadProcessMemory(process, reinterpret_cast<const void*>(static_cast<std::uintptr_t>(tableAddress)),
                           table.data(), table.size() * sizeof table[0], nullptr)) {
        return 0;
    }
    std::size_t count = 0;
    for (const WineGdiHandleEntry& entry : table) {
        count += entry.type != 0 && (entry.extendedType & kStockObject) == 0 ? 1 : 0;
    }
    return count;
}

struct WindowCount {
    DWORD processId;
    std::size_t count;
};

BOOL CALLBACK CountWindow(HWND window, LPARAM parameter)
{
    auto* windows = reinterpret_cast<WindowCount*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    windows->count += owner == windows->processId ? 1 : 0;
    return TRUE;
}

// The window and every window below it that belongs to the process.
void CountWindowTree(HWND window, WindowCount& windows)
{
    CountWindow(window, reinterpret_cast<LPARAM>(&windows));
    EnumChildWindows(window, CountWindow, reinterpret_cast<LPARAM>(&windows));
}

BOOL CALLBACK CountTopLevelTree(HWND window, LPARAM parameter)
{
    CountWindowTree(window, *reinterpret_cast<WindowCount*>(parameter));
    return TRUE;
}

std::size_t CountWindows(DWORD processId)
{
    WindowCount windows = {processId, 0};
    EnumWindows(CountTopLevelTree, reinterpret_cast<LPARAM>(&windows));
    for (HWND window = FindWindowExA(HWND_MESSAGE, nullptr, nullptr, nullptr); window != nullptr;
         window = FindWindowExA(HWND_MESSAGE, window, nullptr, nullptr)) {
        CountWindowTree(window, windows);
    }
    return windows.count;
}

std::size_t GuiObjectCount(DWORD processId, DWORD kind)
{
    const win::CKernelHandle process(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId));
    if (!process) {
        return 0;
    }
    SetLastError(ERROR_SUCCESS);
    const DWORD count = GetGuiResources(process.Get(), kind);
    if (count != 0 || GetLastError() != ERROR_CALL_NOT_IMPLEMENTED) {
        return count;
    }
    return kind == GR_GDIOBJECTS ? CountInGdiHandleTable(process.Get()) : CountWindows(processId);
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

std::string ProcessModulePath(DWORD processId, const char* moduleName)
{
    const HANDLE taken = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, processId);
    if (taken == INVALID_HANDLE_VALUE) {
        return "";
    }
    const win::CKernelHandle snapshot(taken);
    MODULEENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Module32First(snapshot.Get(), &entry); more; more = Module32Next(snapshot.Get(), &entry)) {
        if (lstrcmpiA(entry.szModule, moduleName) == 0) {
            return CharLowerA(entry.szExePath);
        }
    }
    return "";
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

std::size_t ProcessGdiObjectCount(DWORD processId)
{
    return GuiObjectCount(processId, GR_GDIOBJECTS);
}

std::size_t ProcessUserObjectCount(DWORD processId)
{
    return GuiObjectCount(processId, GR_USEROBJECTS);
}

std::size_t ProcessPrivateBytes(DWORD processId)
{
    const win::CKernelHandle process(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId));
    PROCESS_MEMORY_COUNTERS_EX counters = {};
    counters.cb = sizeof counters;
    if (!process ||
        !GetProcessMemoryInfo(process.Get(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters)) {
        return 0;
    }
    return counters.PrivateUsage != 0 ? counters.PrivateUsage : counters.PagefileUsage;
}

ProcessResources MeasureProcess(DWORD processId)
{
    ProcessResources measured;
    measured.handles = ProcessHandleCount(processId);
    measured.gdiObjects = ProcessGdiObjectCount(processId);
    measured.userObjects = ProcessUserObjectCount(processId);
    measured.privateBytes = ProcessPrivateBytes(processId);
    return measured;
}
