// A stand-in for the dial-up networking service's DLL. Its list of active
// connections is whatever the test wrote to the registry, read afresh on
// every call; each call is counted there too, so a test can wait for a poll,
// and the file it was loaded from is written there ("LoadedFrom").
// Two more values there make a troubled service: "Delay" holds each call for
// that many milliseconds before it answers, and a non-zero "Failure" is the
// error code every call then returns, with no connection.
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr const char* kListKey = "Software\\QuellorTest\\Connections";
constexpr DWORD kEntrySize = 412;
constexpr DWORD kBufferTooSmall = 603;
constexpr DWORD kInvalidSize = 632;
constexpr DWORD kCannotOpenPhonebook = 621;

struct Entry {
    DWORD dwSize;
    HANDLE hrasconn;
    char szEntryName[257];
    char szDeviceType[17];
    char szDeviceName[129];
};
static_assert(sizeof(Entry) == kEntrySize, "412-byte entries");

// "Entries": the entry names, separated by '|'.
std::vector<std::string> ReadEntryNames(HKEY key)
{
    char text[4096] = {};
    DWORD size = sizeof text - 1;
    std::vector<std::string> names;
    if (RegQueryValueExA(key, "Entries", nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size) != ERROR_SUCCESS) {
        return names;
    }
    std::string list = text;
    std::size_t start = 0;
    while (start < list.size()) {
        std::size_t end = list.find('|', start);
        if (end == std::string::npos) {
            end = list.size();
        }
        if (end > start) {
            names.push_back(list.substr(start, end - start));
        }
        start = end + 1;
    }
    return names;
}

DWORD ReadNumber(HKEY key, const char* name)
{
    DWORD number = 0;
    DWORD size = sizeof number;
    RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(&number), &size);
    return number;
}

HMODULE thisModule = nullptr;

void CountCall(HKEY key)
{
    const DWORD calls = ReadNumber(key, "Calls") + 1;
    RegSetValueExA(key, "Calls", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&calls), sizeof calls);
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(thisModule, path, MAX_PATH);
    RegSetValueExA(key, "LoadedFrom", 0, REG_SZ, reinterpret_cast<const BYTE*>(path), length + 1);
}

void Fill(Entry& entry, const std::string& name, std::size_t index)
{
    entry.dwSize = kEntrySize;
    entry.hrasconn = reinterpret_cast<HANDLE>(index + 1);
    lstrcpynA(entry.szEntryName, name.c_str(), sizeof entry.szEntryName);
    lstrcpynA(entry.szDeviceType, "modem", sizeof entry.szDeviceType);
    lstrcpynA(entry.szDeviceName, "Test Modem", sizeof entry.szDeviceName);
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, void*)
{
    if (reason == DLL_PROCESS_ATTACH) {
        thisModule = module;
    }
    return TRUE;
}

extern "C" DWORD WINAPI RasEnumConnectionsA(void* buffer, DWORD* byteCount, DWORD* connectionCount)
{
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kListKey, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS) {
        return kCannotOpenPhonebook;
    }
    CountCall(key);
    const std::vector<std::string> names = ReadEntryNames(key);
    const DWORD delayMs = ReadNumber(key, "Delay");
    const DWORD failure = ReadNumber(key, "Failure");
    RegCloseKey(key);
    Sleep(delayMs);
    if (failure != 0) {
        if (connectionCount != nullptr) {
            *connectionCount = 0;
        }
        return failure;
    }

    auto* entries = static_cast<Entry*>(buffer);
    if (entries == nullptr || byteCount == nullptr || connectionCount == nullptr || entries->dwSize != kEntrySize) {
        return kInvalidSize;
    }
    const DWORD needed = static_cast<DWORD>(names.size()) * kEntrySize;
    if (*byteCount < needed) {
        *byteCount = needed;
        *connectionCount = static_cast<DWORD>(names.size());
        return kBufferTooSmall;
    }
    for (std::size_t i = 0; i < names.size(); ++i) {
        Fill(entries[i], names[i], i);
    }
    *byteCount = needed;
    *connectionCount = static_cast<DWORD>(names.size());
    return 0;
}
