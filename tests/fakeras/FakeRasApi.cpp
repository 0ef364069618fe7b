// A stand-in for the dial-up networking service's DLL. Its list of active
// connections is whatever the test wrote to the registry, read afresh on
// every call; each call is counted there too, so a test can wait for a poll,
// and the file it was loaded from is written there ("LoadedFrom").
// Two more values there make a troubled service: "Delay" holds each call for
// that many milliseconds before it answers, and a non-zero "Failure" is the
// error code every call then returns, with no connection.
// It dials as the service documents: "Phonebook" holds the entries ('|'
// between them), "DialResult" the error every dial ends with (0: connected,
// after which the entry is among the connections), "DialDelay" how long a
// dial takes. Every dial is logged in "DialLog" ("tick entry\n"); a handle
// comes back even when the dial fails, "OpenFailedHandles" counts those not
// hung up yet and "HungUpConnected" the connections that were hung up.
#include <windows.h>
#include <ras.h>
#include <raserror.h>

#include <cstring>
#include <map>
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

// The entry names of a value, separated by '|'.
std::vector<std::string> ReadEntryNames(HKEY key, const char* value = "Entries")
{
    char text[4096] = {};
    DWORD size = sizeof text - 1;
    std::vector<std::string> names;
    if (RegQueryValueExA(key, value, nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size) != ERROR_SUCCESS) {
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

void WriteNumber(HKEY key, const char* name, DWORD number)
{
    RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
}

void WriteText(HKEY key, const char* name, const std::string& text)
{
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>(text.size() + 1));
}

std::string ReadText(HKEY key, const char* name)
{
    std::string text(65536, '\0');
    DWORD size = static_cast<DWORD>(text.size() - 1);
    if (RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(&text[0]), &size) != ERROR_SUCCESS) {
        return {};
    }
    return text.c_str();
}

// The list key, open for reading and writing, closed with the object.
struct ListKey {
    HKEY key = nullptr;
    ListKey() { RegCreateKeyExA(HKEY_CURRENT_USER, kListKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr); }
    ~ListKey() { RegCloseKey(key); }
    void Add(const char* name, int step) const { WriteNumber(key, name, ReadNumber(key, name) + static_cast<DWORD>(step)); }
};

bool InPhonebook(HKEY key, const std::string& entry)
{
    for (const std::string& name : ReadEntryNames(key, "Phonebook")) {
        if (name == entry) {
            return true;
        }
    }
    return false;
}

constexpr const char* kSavedPassword = "<saved password>";

// The handles handed out: the entry, and whether its dial connected.
struct Dialed {
    std::string entry;
    bool connected = false;
};
CRITICAL_SECTION handlesLock;
std::map<HRASCONN, Dialed> handles;
ULONG_PTR lastHandle = 0x5000;

struct Notification {
    HRASCONN connection;
    DWORD type;
    void* notifier;
};

// Dials: takes the dial's time, then connects or fails as the test said.
DWORD Connect(HRASCONN connection)
{
    std::string entry;
    EnterCriticalSection(&handlesLock);
    entry = handles[connection].entry;
    LeaveCriticalSection(&handlesLock);
    const ListKey list;
    const std::string log = ReadText(list.key, "DialLog") + std::to_string(GetTickCount()) + " " + entry + "\n";
    WriteText(list.key, "DialLog", log);
    Sleep(ReadNumber(list.key, "DialDelay"));
    const DWORD result = ReadNumber(list.key, "DialResult");
    if (result != 0) {
        list.Add("OpenFailedHandles", 1);
        return result;
    }
    EnterCriticalSection(&handlesLock);
    handles[connection].connected = true;
    LeaveCriticalSection(&handlesLock);
    const std::string up = ReadText(list.key, "Entries");
    WriteText(list.key, "Entries", up.empty() ? entry : up + "|" + entry);
    return 0;
}

DWORD WINAPI NotifyLater(void* started)
{
    const Notification notification = *static_cast<Notification*>(started);
    delete static_cast<Notification*>(started);
    const DWORD result = Connect(notification.connection);
    const RASCONNSTATE state = result == 0 ? RASCS_Connected : RASCS_Disconnected;
    if (notification.type == 0xFFFFFFFF) {
        PostMessageA(static_cast<HWND>(notification.notifier), WM_RASDIALEVENT, state, result);
    } else if (notification.type == 1) {
        reinterpret_cast<RASDIALFUNC1>(notification.notifier)(notification.connection, WM_RASDIALEVENT, state, result,
                                                              0);
    }
    return 0;
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
        InitializeCriticalSection(&handlesLock);
    }
    return TRUE;
}

extern "C" DWORD WINAPI RasEnumConnectionsA(RASCONNA* buffer, DWORD* byteCount, DWORD* connectionCount)
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

    auto* entries = reinterpret_cast<Entry*>(buffer);
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

extern "C" DWORD WINAPI RasEnumEntriesA(const char*, const char*, RASENTRYNAMEA* names, DWORD* byteCount, DWORD* count)
{
    const ListKey list;
    const std::vector<std::string> entries = ReadEntryNames(list.key, "Phonebook");
    if (names == nullptr || byteCount == nullptr || count == nullptr || names->dwSize < 264) {
        return kInvalidSize;
    }
    const DWORD stride = names->dwSize;
    const auto needed = static_cast<DWORD>(entries.size()) * stride;
    *count = static_cast<DWORD>(entries.size());
    if (*byteCount < needed) {
        *byteCount = needed;
        return kBufferTooSmall;
    }
    for (std::size_t i = 0; i < entries.size(); ++i) {
        auto* name = reinterpret_cast<RASENTRYNAMEA*>(reinterpret_cast<BYTE*>(names) + i * stride);
        name->dwSize = stride;
        lstrcpynA(name->szEntryName, entries[i].c_str(), sizeof name->szEntryName);
    }
    *byteCount = needed;
    return 0;
}

extern "C" DWORD WINAPI RasGetEntryDialParamsA(const char*, RASDIALPARAMSA* params, BOOL* passwordSaved)
{
    const ListKey list;
    if (params == nullptr || passwordSaved == nullptr || params->dwSize < 1052) {
        return kInvalidSize;
    }
    if (!InPhonebook(list.key, params->szEntryName)) {
        return ERROR_CANNOT_FIND_PHONEBOOK_ENTRY;
    }
    lstrcpyA(params->szUserName, "tester");
    lstrcpyA(params->szPassword, kSavedPassword);
    *passwordSaved = TRUE;
    return 0;
}

extern "C" DWORD WINAPI RasDialA(RASDIALEXTENSIONS*, const char*, RASDIALPARAMSA* params, DWORD notifierType,
                                 void* notifier, HRASCONN* connection)
{
    if (params == nullptr || connection == nullptr || params->dwSize < 1052) {
        return kInvalidSize;
    }
    EnterCriticalSection(&handlesLock);
    *connection = reinterpret_cast<HRASCONN>(++lastHandle);
    handles[*connection] = Dialed{params->szEntryName};
    LeaveCriticalSection(&handlesLock);
    if (lstrcmpA(params->szPassword, kSavedPassword) != 0) {
        ListKey().Add("OpenFailedHandles", 1);
        return ERROR_AUTHENTICATION_FAILURE;
    }
    if (notifier == nullptr) {
        return Connect(*connection);
    }
    auto* later = new Notification{*connection, notifierType, notifier};
    CloseHandle(CreateThread(nullptr, 0, NotifyLater, later, 0, nullptr));
    return 0;
}

extern "C" DWORD WINAPI RasHangUpA(HRASCONN connection)
{
    EnterCriticalSection(&handlesLock);
    const auto found = handles.find(connection);
    const bool known = found != handles.end();
    const Dialed dialed = known ? found->second : Dialed{};
    if (known) {
        handles.erase(found);
    }
    LeaveCriticalSection(&handlesLock);
    if (!known) {
        return ERROR_INVALID_HANDLE;
    }
    ListKey().Add(dialed.connected ? "HungUpConnected" : "OpenFailedHandles", dialed.connected ? 1 : -1);
    return 0;
}

extern "C" DWORD WINAPI RasGetConnectStatusA(HRASCONN connection, RASCONNSTATUSA* status)
{
    EnterCriticalSection(&handlesLock);
    const auto found = handles.find(connection);
    const bool known = found != handles.end();
    const bool connected = known && found->second.connected;
    LeaveCriticalSection(&handlesLock);
    if (!known || status == nullptr) {
        return ERROR_INVALID_HANDLE;
    }
    status->rasconnstate = connected ? RASCS_Connected : RASCS_Disconnected;
    status->dwError = 0;
    return 0;
}

extern "C" DWORD WINAPI RasGetErrorStringA(UINT error, char* text, DWORD size)
{
    const char* known = error == ERROR_AUTHENTICATION_FAILURE ? "The user name or password is not valid."
                        : error == ERROR_NO_ANSWER            ? "The remote computer did not respond."
                                                               : nullptr;
    const std::string described = known != nullptr ? known : "Dial-up error " + std::to_string(error) + ".";
    if (text == nullptr || size <= described.size()) {
        return kBufferTooSmall;
    }
    lstrcpyA(text, described.c_str());
    return 0;
}
