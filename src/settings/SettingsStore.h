#pragma once
// The per-user settings in the registry, under
// HKEY_CURRENT_USER\software\<company>\<application name>\<section>.
// Every operation opens the path afresh and closes it again; reads never
// fail loudly, writes report success only through their result.
#include <string>

class CSettingsStore {
public:
    // The one store of the process.
    static CSettingsStore& Global();

    void SetRegistryKey(const char* company) { this->company = company; }
    // The section's path below HKEY_CURRENT_USER.
    std::string SectionPath(const char* section) const;

    int GetInt(const char* section, const char* key, int defaultValue) const;
    std::string GetString(const char* section, const char* key, const char* defaultValue) const;
    bool WriteInt(const char* section, const char* key, int value) const;
    // A null value removes the key's value.
    bool WriteString(const char* section, const char* key, const char* value) const;

private:
    std::string company;
};
