#include "settings/SettingsStore.h"

#include "settings/StoredText.h"
#include "win/Failure.h"
#include "win/Handles.h"

#include <windows.h>

#include <algorithm>
#include <vector>

namespace {

constexpr REGSAM kAccess = KEY_READ | KEY_CREATE_SUB_KEY | KEY_SET_VALUE;

win::CRegistryKey OpenSubKey(HKEY parent, const char* name)
{
    win::CRegistryKey key;
    DWORD disposition = 0;
    if (RegCreateKeyExA(parent, name, 0, nullptr, REG_OPTION_NON_VOLATILE, kAccess, nullptr, key.Receive(),
                        &disposition) != ERROR_SUCCESS) {
        key.Release();
    }
    return key;
}

// Opens (creating where missing) software\company\application\section.
win::CRegistryKey OpenSection(const std::string& company, const char* section)
{
    win::CRegistryKey software;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "software", 0, kAccess, software.Receive()) != ERROR_SUCCESS) {
        software.Release();
        return {};
    }
    win::CRegistryKey companyKey = OpenSubKey(software.Get(), company.c_str());
    if (!companyKey) {
        return {};
    }
    win::CRegistryKey application = OpenSubKey(companyKey.Get(), win::ApplicationName());
    if (!application) {
        return {};
    }
    return OpenSubKey(application.Get(), section);
}

}  // namespace

CSettingsStore& CSettingsStore::Global()
{
    static CSettingsStore store;
    return store;
}

std::string CSettingsStore::SectionPath(const char* section) const
{
    return std::string("software\\") + company + "\\" + win::ApplicationName() + "\\" + section;
}

// NOLINTNEXTLINE(bugprone-easily-swappable-parameters): section and key, in the order of the registry's calls
int CSettingsStore::GetInt(const char* section, const char* key, int defaultValue) const
{
    const win::CRegistryKey sectionKey = OpenSection(company, section);
    if (!sectionKey) {
        return defaultValue;
    }
    DWORD type = 0;
    DWORD value = 0;
    DWORD size = sizeof(value);
    if (RegQueryValueExA(sectionKey.Get(), key, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) !=
            ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof(value)) {
        return defaultValue;
    }
    return static_cast<int>(value);
}

// NOLINTNEXTLINE(bugprone-easily-swappable-parameters): section and key, in the order of the registry's calls
std::string CSettingsStore::GetString(const char* section, const char* key, const char* defaultValue) const
{
    std::string fallback = defaultValue != nullptr ? defaultValue : "";
    const win::CRegistryKey sectionKey = OpenSection(company, section);
    if (!sectionKey) {
        return fallback;
    }
    // The value may change between the two queries; ask again while it grows.
    for (int attempt = 0; attempt < 4; ++attempt) {
        DWORD type = 0;
        DWORD size = 0;
        if (RegQueryValueExA(sectionKey.Get(), key, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
            (type != REG_SZ && type != REG_EXPAND_SZ)) {
            return fallback;
        }
        std::vector<char> buffer(size, '\0');
        DWORD filled = size;
        const LONG status =
            RegQueryValueExA(sectionKey.Get(), key, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &filled);
        if (status == ERROR_MORE_DATA) {
            continue;
        }
        if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) {
            return fallback;
        }
        return StoredText(buffer.data(), std::min(filled, size));
    }
    return fallback;
}

// NOLINTNEXTLINE(bugprone-easily-swappable-parameters): section and key, in the order of the registry's calls
bool CSettingsStore::WriteInt(const char* section, const char* key, int value) const
{
    const win::CRegistryKey sectionKey = OpenSection(company, section);
    if (!sectionKey) {
        return false;
    }
    const DWORD data = static_cast<DWORD>(value);
    return RegSetValueExA(sectionKey.Get(), key, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof(data)) ==
           ERROR_SUCCESS;
}

// NOLINTNEXTLINE(bugprone-easily-swappable-parameters): section and key, in the order of the registry's calls
bool CSettingsStore::WriteString(const char* section, const char* key, const char* value) const
{
    const win::CRegistryKey sectionKey = OpenSection(company, section);
    if (!sectionKey) {
        return false;
    }
    if (value == nullptr) {
        const LONG status = RegDeleteValueA(sectionKey.Get(), key);
        return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
    }
    const std::string text = value;
    return RegSetValueExA(sectionKey.Get(), key, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>(text.size()) + 1) == ERROR_SUCCESS;
}
