#include "BrowserStandIn.h"

#include "QuellorProcess.h"

namespace {

constexpr const char* kHttpCommandKey = "http\\shell\\open\\command";
constexpr const char* kWineBrowserKey = "Software\\Wine\\WineBrowser";
constexpr const char* kRecordKey = "Software\\QuellorTest\\BrowserStandIn";

std::string ReadDefault(HKEY root, const char* path)
{
    char text[1024] = {};
    LONG size = sizeof text;
    return RegQueryValueA(root, path, text, &size) == ERROR_SUCCESS ? text : "";
}

void WriteDefault(HKEY root, const char* path, const std::string& text)
{
    RegSetValueA(root, path, REG_SZ, text.c_str(), static_cast<DWORD>(text.size()));
}

void LeaveWineNoBrowser()
{
    HKEY key = nullptr;
    RegCreateKeyExA(HKEY_CURRENT_USER, kWineBrowserKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr);
    static const char kNoBrowser[] = "quellor-test-no-such-browser";
    RegSetValueExA(key, "Browsers", 0, REG_SZ, reinterpret_cast<const BYTE*>(kNoBrowser), sizeof kNoBrowser);
    RegCloseKey(key);
}

void ReadRecord(const char* name, void* data, DWORD size)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kRecordKey, 0, KEY_READ, &key) == ERROR_SUCCESS) {
        RegQueryValueExA(key, name, nullptr, nullptr, static_cast<BYTE*>(data), &size);
        RegCloseKey(key);
    }
}

}  // namespace

CBrowserStandIn::CBrowserStandIn()
    : CBrowserStandIn("\"" + CQuellorProcess::BesideTests("BrowserStandIn.exe") + "\" \"%1\"")
{
}

CBrowserStandIn::CBrowserStandIn(const std::string& httpCommand)
    : savedCommand(ReadDefault(HKEY_CLASSES_ROOT, kHttpCommandKey))
{
    if (!httpCommand.empty()) {
        WriteDefault(HKEY_CLASSES_ROOT, kHttpCommandKey, httpCommand);
    }
    LeaveWineNoBrowser();
    RegDeleteKeyA(HKEY_CURRENT_USER, kRecordKey);
}

CBrowserStandIn::~CBrowserStandIn()
{
    WriteDefault(HKEY_CLASSES_ROOT, kHttpCommandKey, savedCommand);
    RegDeleteKeyA(HKEY_CURRENT_USER, kWineBrowserKey);
    RegDeleteKeyA(HKEY_CURRENT_USER, kRecordKey);
}

DWORD CBrowserStandIn::Starts() const
{
    DWORD starts = 0;
    ReadRecord("Starts", &starts, sizeof starts);
    return starts;
}

std::string CBrowserStandIn::LastAddress() const
{
    char text[1024] = {};
    ReadRecord("Address", text, sizeof text - 1);
    return text;
}
