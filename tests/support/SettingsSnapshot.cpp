#include "SettingsSnapshot.h"

#include "QuellorRegistry.h"

#include <windows.h>

#include <vector>

SettingsSnapshot TakeSettingsSnapshot()
{
    SettingsSnapshot snapshot;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, quellor_registry::kSectionPath, 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return snapshot;
    }
    for (DWORD index = 0;; ++index) {
        char name[256] = {};
        DWORD nameLength = sizeof name;
        std::vector<BYTE> data(4096);
        DWORD dataSize = static_cast<DWORD>(data.size());
        DWORD type = REG_NONE;
        if (RegEnumValueA(key, index, name, &nameLength, nullptr, &type, data.data(), &dataSize) != ERROR_SUCCESS) {
            break;
        }
        snapshot[name] = std::to_string(type) + ":" + std::string(data.begin(), data.begin() + dataSize);
    }
    RegCloseKey(key);
    return snapshot;
}
