#include "QuellorRegistry.h"

#include <windows.h>

#include <string>
#include <vector>

namespace quellor_registry {

const char* const kSectionPath = "software\\Marrowby\\Quellor\\Quellor";

namespace {

const char* const kPolicyPath = "Software\\Policies\\Marrowby\\Quellor";

HKEY PolicyRoot(Scope scope)
{
    return scope == Scope::Machine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

HKEY OpenSection()
{
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kSectionPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
        ERROR_SUCCESS) {
        return nullptr;
    }
    return key;
}

void DeleteTree(HKEY parent, const char* name)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(parent, name, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) {
        return;
    }
    char child[256];
    DWORD length = sizeof child;
    while (RegEnumKeyExA(key, 0, child, &length, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS) {
        DeleteTree(key, child);
        length = sizeof child;
    }
    RegCloseKey(key);
    RegDeleteKeyA(parent, name);
}

}  // namespace

void Clear()
{
    DeleteTree(HKEY_CURRENT_USER, "software\\Marrowby\\Quellor");
}

void PrepareQuietStart()
{
    Clear();
    WriteInt("2.8", 1);
    WriteInt("StartUp", 1);
    for (int i = 0; i < 10; ++i) {
        WriteString(("HTTPURL" + std::to_string(i)).c_str(), "127.0.0.1");
        WriteString(("FTPURL" + std::to_string(i)).c_str(), "127.0.0.1");
    }
}

unsigned long TypeOf(const char* key)
{
    HKEY section = OpenSection();
    DWORD type = REG_NONE;
    if (RegQueryValueExA(section, key, nullptr, &type, nullptr, nullptr) != ERROR_SUCCESS) {
        type = REG_NONE;
    }
    RegCloseKey(section);
    return type;
}

bool Exists(const char* key)
{
    return TypeOf(key) != REG_NONE;
}

int ReadInt(const char* key, int defaultValue)
{
    HKEY section = OpenSection();
    DWORD type = 0;
    DWORD value = 0;
    DWORD size = sizeof value;
    const bool found = RegQueryValueExA(section, key, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) ==
                           ERROR_SUCCESS &&
                       type == REG_DWORD;
    RegCloseKey(section);
    return found ? static_cast<int>(value) : defaultValue;
}

std::string ReadString(const char* key, const std::string& defaultValue)
{
    HKEY section = OpenSection();
    DWORD type = 0;
    DWORD size = 0;
    std::string result = defaultValue;
    if (RegQueryValueExA(section, key, nullptr, &type, nullptr, &size) == ERROR_SUCCESS && type == REG_SZ) {
        std::vector<char> buffer(size + 1, '\0');
        if (RegQueryValueExA(section, key, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &size) ==
            ERROR_SUCCESS) {
            result = buffer.data();
        }
    }
    RegCloseKey(section);
    return result;
}

void WriteInt(const char* key, int value)
{
    HKEY section = OpenSection();
    const DWORD data = static_cast<DWORD>(value);
    RegSetValueExA(section, key, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof data);
    RegCloseKey(section);
}

void WriteString(const char* key, const std::string& value)
{
    HKEY section = OpenSection();
    RegSetValueExA(section, key, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>(value.size() + 1));
    RegCloseKey(section);
}

void WriteRaw(const char* key, unsigned long type, const void* data, unsigned long size)
{
    HKEY section = OpenSection();
    RegSetValueExA(section, key, 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(section);
}

void Remove(const char* key)
{
    HKEY section = OpenSection();
    RegDeleteValueA(section, key);
    RegCloseKey(section);
}

namespace {

HKEY OpenPolicies(Scope scope)
{
    HKEY policies = nullptr;
    RegCreateKeyExA(PolicyRoot(scope), kPolicyPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &policies, nullptr);
    return policies;
}

}  // namespace

void WritePolicyInt(Scope scope, const char* key, int value)
{
    const HKEY policies = OpenPolicies(scope);
    const DWORD data = static_cast<DWORD>(value);
    RegSetValueExA(policies, key, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof data);
    RegCloseKey(policies);
}

void WritePolicyString(Scope scope, const char* key, const std::string& value)
{
    const HKEY policies = OpenPolicies(scope);
    RegSetValueExA(policies, key, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>(value.size() + 1));
    RegCloseKey(policies);
}

int ReadPolicyInt(Scope scope, const char* key, int defaultValue)
{
    const HKEY policies = OpenPolicies(scope);
    DWORD value = 0;
    DWORD size = sizeof value;
    DWORD type = REG_NONE;
    const bool found =
        RegQueryValueExA(policies, key, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) == ERROR_SUCCESS &&
        type == REG_DWORD;
    RegCloseKey(policies);
    return found ? static_cast<int>(value) : defaultValue;
}

void ClearPolicies()
{
    for (const Scope scope : {Scope::Machine, Scope::User}) {
        DeleteTree(PolicyRoot(scope), "Software\\Policies\\Marrowby");
    }
}

}  // namespace quellor_registry
