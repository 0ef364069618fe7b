// Stands in for the web browser: the shell starts it with the address to
// show, and it records that address and how often it was started under
// HKCU\Software\QuellorTest\BrowserStandIn, then ends.
#include <windows.h>

#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int)
{
    std::string address = commandLine;
    if (address.size() >= 2 && address.front() == '"' && address.back() == '"') {
        address = address.substr(1, address.size() - 2);
    }
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\QuellorTest\\BrowserStandIn", 0, nullptr, 0,
                        KEY_READ | KEY_WRITE, nullptr, &key, nullptr) != ERROR_SUCCESS) {
        return 1;
    }
    DWORD starts = 0;
    DWORD size = sizeof starts;
    RegQueryValueExA(key, "Starts", nullptr, nullptr, reinterpret_cast<BYTE*>(&starts), &size);
    ++starts;
    RegSetValueExA(key, "Address", 0, REG_SZ, reinterpret_cast<const BYTE*>(address.c_str()),
                   static_cast<DWORD>(address.size() + 1));
    RegSetValueExA(key, "Starts", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&starts), sizeof starts);
    RegCloseKey(key);
    return 0;
}
