#include "settings/SettingsStore.h"

#include "settings/SettingsKeys.h"
#include "settings/StoredText.h"
#include "win/Failure.h"
#include "win/Handles.h"

#include <windows.h>

#include <algorithm>
#include <utility>
#include <vector>

namespace {

constexpr REGSAM kAccess = KEY_READ | KEY_CREATE_SUB_KEY | KEY_SET_VALUE;

// Opens, creating what is missing in the same call,
// software\company\application\section.
win::CRegistryKey OpenSection(const std::string& company, const char* section)
{
    const std::string path = "software\\" + company + "\\" + win::ApplicationName() + "\\" + section;
    win::CRegistryKey key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, kAccess, nullptr,
                        key.Receive(), nullptr) != ERROR_SUCCESS) {
        key.Release();
    }
    return key;
}

// Read only, and in the 64-bit view where Group Policy writes, also from
// this 32-bit program.
win::CRegistryKey OpenPolicies(PolicyScope scope)
{
    const HKEY root = scope == PolicyScope::Machine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
    win::CRegistryKey key;
    if (RegOpenKeyExA(root, keys::kPolicyPath, 0, KEY_QUERY_VALUE | KEY_WOW64_64KEY, key.Receive()) != ERROR_SUCCESS) {
        key.Release();
    }
    return key;
}

std::optional<int> QueryInt(const win::CRegistryKey& key, const char* name)
{
    DWORD type = 0;
    DWORD value = 0;
    DWORD size = sizeof(value);
    if (!key ||
        RegQueryValueExA(key.Get(), name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof(value)) {
        return std::nullopt;
    }
    return static_cast<int>(value);
}

std::optional<std::string> QueryText(const win::CRegistryKey& key, const char* name)
{
    // The value may change between the two queries; ask again while it grows.
    for (int attempt = 0; key && attempt < 4; ++attempt) {
        DWORD type = 0;
        DWORD size = 0;
        if (RegQueryValueExA(key.Get(), name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
            (type != REG_SZ && type != REG_EXPAND_SZ)) {
            return std::nullopt;
        }
        std::vector<char> buffer(size, '\0');
        DWORD filled = size;
        const LONG status =
            RegQueryValueExA(key.Get(), name, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &filled);
        if (status == ERROR_MORE_DATA) {
            continue;
        }
        if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) {
            return std::nullopt;
        }
        return StoredText(buffer.data(), std::min(filled, size));
    }
    return std::nullopt;
}

}  // namespace

CSettingsStore& CSettingsStore::Global()
{
    static CSettingsStore store;
    return store;
}

// NOLINTNEXTLINE(bugprone-easily-swappable-parameters): section and key, in the order of the registry's calls
int CSettingsStore::GetInt(const char* section, const char* key, int defaultValue) const
{
    return QueryInt(OpenSection(company, section), key).value_or(defaultValue);
}

// NOLINTNEXTLINE(bugprone-easily-swappable-parameters): section and key, in the order of the registry's calls
std::string CSettingsStore::GetString(const char* section, const char* key, const char* defaultValue) const
{
    std::optional<std::string> text = QueryText(OpenSection(company, section), key);
    return text ? std::move(*text) : std::string(defaultValue != nullptr ? defaultValue : "");
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

std::optional<int> CSettingsStore::GetPolicyInt(PolicyScope scope, const char* key)
{
    return QueryInt(OpenPolicies(scope), key);
}

std::optional<std::string> CSettingsStore::GetPolicyString(PolicyScope scope, const char* key)
{
    return QueryText(OpenPolicies(scope), key);
}
