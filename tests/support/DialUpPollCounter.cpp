#include "DialUpPollCounter.h"

#include "QuellorProcess.h"

namespace {

constexpr const char* kListKey = "Software\\QuellorTest\\Connections";
constexpr const char* kOverrideKey = "Software\\Wine\\AppDefaults\\Quellor.exe\\DllOverrides";

void WriteText(const char* path, const char* name, const char* text)
{
    HKEY key = nullptr;
    RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr);
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), lstrlenA(text) + 1);
    RegCloseKey(key);
}

void RemoveKeys()
{
    RegDeleteKeyA(HKEY_CURRENT_USER, kListKey);
    RegDeleteKeyA(HKEY_CURRENT_USER, kOverrideKey);
}

}  // namespace

CDialUpPollCounter::CDialUpPollCounter()
{
    RemoveKeys();
    // Native only: a missing fake then stops the copy from starting instead
    // of letting it use the system's DLL unnoticed.
    WriteText(kOverrideKey, "rasapi32", "native");
    WriteText(kListKey, "Entries", "");
}

CDialUpPollCounter::~CDialUpPollCounter()
{
    RemoveKeys();
}

DWORD CDialUpPollCounter::Polls() const
{
    HKEY key = nullptr;
    DWORD calls = 0;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kListKey, 0, KEY_READ, &key) == ERROR_SUCCESS) {
        DWORD size = sizeof calls;
        RegQueryValueExA(key, "Calls", nullptr, nullptr, reinterpret_cast<BYTE*>(&calls), &size);
        RegCloseKey(key);
    }
    return calls;
}

std::string CDialUpPollCounter::QuellorCopy()
{
    return CQuellorProcess::BesideTests("fakeras\\Quellor.exe");
}
