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

DWORD CFakeDialUp::Number(const char* name) const
{
    DWORD number = 0;
    DWORD size = sizeof number;
    RegGetValueA(HKEY_CURRENT_USER, kListKey, name, RRF_RT_REG_DWORD, nullptr, &number, &size);
    return number;
}

DWORD CFakeDialUp::Calls() const
{
    return Number("Calls");
}

namespace {

std::string ReadText(const char* name)
{
    std::string text(65536, '\0');
    DWORD size = static_cast<DWORD>(text.size());
    if (RegGetValueA(HKEY_CURRENT_USER, kListKey, name, RRF_RT_REG_SZ, nullptr, &text[0], &size) != ERROR_SUCCESS) {
        return {};
    }
    return text.c_str();
}

}  // namespace

std::string CFakeDialUp::LoadedFrom() const
{
    return ReadText("LoadedFrom");
}

void CFakeDialUp::SetPhonebook(const std::string& entries)
{
    WriteText(kListKey, "Phonebook", entries);
}

void CFakeDialUp::SetDialResult(DWORD errorCode)
{
    WriteNumber(kListKey, "DialResult", errorCode);
}

void CFakeDialUp::SetDialDelay(DWORD delayMs)
{
    WriteNumber(kListKey, "DialDelay", delayMs);
}

std::vector<DWORD> CFakeDialUp::DialTimes(const std::string& entry) const
{
    std::vector<DWORD> times;
    const std::string log = ReadText("DialLog");
    for (std::size_t start = 0; start < log.size();) {
        const std::size_t end = log.find('\n', start);
        const std::string line = log.substr(start, end - start);
        const std::size_t blank = line.find(' ');
        if (blank != std::string::npos && line.substr(blank + 1) == entry) {
            times.push_back(std::stoul(line.substr(0, blank)));
        }
        start = end == std::string::npos ? log.size() : end + 1;
    }
    return times;
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
