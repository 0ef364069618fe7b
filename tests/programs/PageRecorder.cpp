// Stands in for the web browser while a test has it registered as the
// handler of http addresses: it appends the address it was asked to open to
// HKCU\Software\QuellorTests\OpenedPages (one per line) and ends, so no page
// is ever fetched.
#include <windows.h>

#include <string>
#include <vector>

namespace {

std::string Unquoted(std::string text)
{
    while (!text.empty() && (text.back() == ' ' || text.back() == '"')) {
        text.pop_back();
    }
    const std::size_t start = text.find_first_not_of(" \"");
    return start == std::string::npos ? std::string() : text.substr(start);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR arguments, int)
{
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\QuellorTests", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                        nullptr) != ERROR_SUCCESS) {
        return 1;
    }
    std::string pages;
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(key, "OpenedPages", nullptr, &type, nullptr, &size) == ERROR_SUCCESS && type == REG_SZ) {
        std::vector<char> buffer(size + 1, '\0');
        RegQueryValueExA(key, "OpenedPages", nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &size);
        pages = buffer.data();
    }
    pages += Unquoted(arguments) + "\n";
    RegSetValueExA(key, "OpenedPages", 0, REG_SZ, reinterpret_cast<const BYTE*>(pages.c_str()),
                   static_cast<DWORD>(pages.size() + 1));
    RegCloseKey(key);
    return 0;
}
