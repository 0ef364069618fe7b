#include "engine/RasDial.h"

#include "win/SystemLibrary.h"

#include <ras.h>
#include <raserror.h>

namespace ras_dial {

namespace {

using GetEntryDialParamsFunction = DWORD(WINAPI*)(LPCSTR phonebook, RASDIALPARAMSA* params, BOOL* passwordSaved);
using DialFunction = DWORD(WINAPI*)(RASDIALEXTENSIONS* extensions, LPCSTR phonebook, RASDIALPARAMSA* params,
                                    DWORD notifierType, void* notifier, HRASCONN* connection);
using HangUpFunction = DWORD(WINAPI*)(HRASCONN connection);
using GetConnectStatusFunction = DWORD(WINAPI*)(HRASCONN connection, RASCONNSTATUSA* status);
using EnumEntriesFunction = DWORD(WINAPI*)(LPCSTR reserved, LPCSTR phonebook, RASENTRYNAMEA* names,
                                           DWORD* byteCount, DWORD* count);
using GetErrorStringFunction = DWORD(WINAPI*)(UINT error, LPSTR text, DWORD size);

struct DialService {
    GetEntryDialParamsFunction getEntryDialParams;
    DialFunction dial;
    HangUpFunction hangUp;
    GetConnectStatusFunction getConnectStatus;
    EnumEntriesFunction enumEntries;
    GetErrorStringFunction getErrorString;
};

// Loaded at the first use, by whichever thread comes first.
const DialService& Service()
{
    static const DialService service = [] {
        const HMODULE module = win::LoadSystemLibrary("rasapi32.dll");
        return DialService{
            win::FindFunction<GetEntryDialParamsFunction>(module, "RasGetEntryDialParamsA"),
            win::FindFunction<DialFunction>(module, "RasDialA"),
            win::FindFunction<HangUpFunction>(module, "RasHangUpA"),
            win::FindFunction<GetConnectStatusFunction>(module, "RasGetConnectStatusA"),
            win::FindFunction<EnumEntriesFunction>(module, "RasEnumEntriesA"),
            win::FindFunction<GetErrorStringFunction>(module, "RasGetErrorStringA"),
        };
    }();
    return service;
}

// The service goes on ending a connection after the call returns; it must
// have finished before the entry is dialed again.
constexpr DWORD kHangUpWaitMs = 3000;
constexpr DWORD kHangUpStepMs = 50;
// Far more than any phonebook holds.
constexpr std::size_t kMostEntries = 4096;

void HangUp(const DialService& service, HRASCONN connection)
{
    service.hangUp(connection);
    if (service.getConnectStatus == nullptr) {
        return;
    }
    for (DWORD waited = 0; waited < kHangUpWaitMs; waited += kHangUpStepMs) {
        RASCONNSTATUSA status = {};
        status.dwSize = sizeof status;
        if (service.getConnectStatus(connection, &status) == ERROR_INVALID_HANDLE) {
            return;
        }
        Sleep(kHangUpStepMs);
    }
}

}  // namespace

DWORD DialEntry(const std::string& entry)
{
    const DialService& service = Service();
    if (service.getEntryDialParams == nullptr || service.dial == nullptr || service.hangUp == nullptr) {
        return ERROR_MOD_NOT_FOUND;
    }
    RASDIALPARAMSA params = {};
    params.dwSize = sizeof params;
    lstrcpynA(params.szEntryName, entry.c_str(), sizeof params.szEntryName);
    BOOL passwordSaved = FALSE;
    DWORD result = service.getEntryDialParams(nullptr, &params, &passwordSaved);
    if (result != 0) {
        return result;
    }
    HRASCONN connection = nullptr;
    result = service.dial(nullptr, nullptr, &params, 0, nullptr, &connection);
    SecureZeroMemory(&params, sizeof params);
    if (result != 0 && connection != nullptr) {
        HangUp(service, connection);
    }
    return result;
}

std::string ErrorText(DWORD error)
{
    char text[512] = {};
    const GetErrorStringFunction getErrorString = Service().getErrorString;
    if (getErrorString == nullptr || getErrorString(error, text, sizeof text) != 0) {
        text[0] = '\0';
        FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, text,
                       sizeof text, nullptr);
    }
    std::string described = text;
    described.erase(described.find_last_not_of(" \t\r\n") + 1);
    return (described.empty() ? "Error" : described) + " (" + std::to_string(error) + ")";
}

std::vector<std::string> PhonebookEntries()
{
    std::vector<std::string> names;
    const EnumEntriesFunction enumEntries = Service().enumEntries;
    if (enumEntries == nullptr) {
        return names;
    }
    std::vector<RASENTRYNAMEA> entries(1);
    entries[0].dwSize = sizeof(RASENTRYNAMEA);
    DWORD byteCount = sizeof(RASENTRYNAMEA);
    DWORD count = 0;
    DWORD result = enumEntries(nullptr, nullptr, entries.data(), &byteCount, &count);
    const std::size_t needed = byteCount / sizeof(RASENTRYNAMEA);
    if (result == ERROR_BUFFER_TOO_SMALL && needed > 1 && needed <= kMostEntries) {
        entries.resize(needed);
        entries[0].dwSize = sizeof(RASENTRYNAMEA);
        byteCount = static_cast<DWORD>(needed) * static_cast<DWORD>(sizeof(RASENTRYNAMEA));
        result = enumEntries(nullptr, nullptr, entries.data(), &byteCount, &count);
    }
    if (result != 0) {
        return names;
    }
    for (DWORD i = 0; i < count && i < entries.size(); ++i) {
        names.emplace_back(entries[i].szEntryName, strnlen(entries[i].szEntryName, sizeof entries[i].szEntryName));
    }
    return names;
}

}  // namespace ras_dial
