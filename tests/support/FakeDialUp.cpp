#include "FakeDialUp.h"

#include "QuellorProcess.h"
#include "TestWindows.h"

namespace {

constexpr const char* kListKey = "Software\\QuellorTest\\Connections";
constexpr const char* kOverrideKey = "Software\\Wine\\AppDefaults\\Quellor.exe\\DllOverrides";

void WriteText(const char* path, const char* name, const std::string& text)
{
    HKEY key = nullptr;
    RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr);
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>(text.size() + 1));
    RegCloseKey(key);
}

void WriteNumber(const char* path, const char* name, DWORD number)
{
    HKEY key = nullptr;
    RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr);
    RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
    RegCloseKey(key);
}

void RemoveKeys()
{
    RegDeleteKeyA(HKEY_CURRENT_USER, kListKey);
    RegDeleteKeyA(HKEY_CURRENT_USER, kOverrideKey);
}

}  // namespace

CFakeDialUp::CFakeDialUp()
{
    RemoveKeys();
    // Left in place afterwards: without the override below, Wine prefers its
    // own DLL to a file in its system directory.
    CopyFileA(CQuellorProcess::BesideTests("fakeras\\rasapi32.dll").c_str(), SystemCopy().c_str(), FALSE);
    // Per program, as a CreateProcess environment cannot ask for it. Native
    // first, so that a program which searched its own folder would load the
    // planted copy there; LoadedFrom tells which one answered.
    WriteText(kOverrideKey, "rasapi32", "native,builtin");
    SetConnections("");
}

CFakeDialUp::~CFakeDialUp()
{
    RemoveKeys();
}

void CFakeDialUp::SetConnections(const std::string& entries)
{
    WriteText(kListKey, "Entries", entries);
}

void CFakeDialUp::SetDelay(DWORD delayMs)
{
    WriteNumber(kListKey, "Delay", delayMs);
}

void CFakeDialUp::SetFailure(DWORD errorCode)
{
    WriteNumber(kListKey, "Failure", errorCode);
}

DWORD CFakeDialUp::Calls() const
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

std::string CFakeDialUp::LoadedFrom() const
{
    char path[MAX_PATH] = {};
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kListKey, 0, KEY_READ, &key) == ERROR_SUCCESS) {
        DWORD size = sizeof path - 1;
        RegQueryValueExA(key, "LoadedFrom", nullptr, nullptr, reinterpret_cast<BYTE*>(path), &size);
        RegCloseKey(key);
    }
    return path;
}

std::string CFakeDialUp::SystemCopy()
{
    char folder[MAX_PATH] = {};
    GetSystemDirectoryA(folder, MAX_PATH);
    return std::string(folder) + "\\rasapi32.dll";
}

bool CFakeDialUp::WaitForCallAfter(DWORD calls, DWORD timeoutMs) const
{
    return WaitUntil([&] { return Calls() > calls; }, timeoutMs, 100);
}

std::string CFakeDialUp::QuellorCopy()
{
    return CQuellorProcess::BesideTests("fakeras\\Quellor.exe");
}
