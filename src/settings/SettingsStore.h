#pragma once
// The per-user settings in the registry, under
// HKEY_CURRENT_USER\software\<company>\<application name>\<section>, and the
// values Group Policy sets over them. Every operation opens its key afresh
// and closes it again; reads never fail loudly, writes report success only
// through their result, and nothing is ever written under the policies.
#include <optional>
#include <string>

// Where a policy comes from: the machine's policies win over the user's.
enum class PolicyScope { Machine, User };

class CSettingsStore {
public:
    // The one store of the process.
    static CSettingsStore& Global();

    void SetRegistryKey(const char* company) { this->company = company; }

    int GetInt(const char* section, const char* key, int defaultValue) const;
    std::string GetString(const char* section, const char* key, const char* defaultValue) const;
    bool WriteInt(const char* section, const char* key, int value) const;
    // A null value removes the key's value.
    bool WriteString(const char* section, const char* key, const char* value) const;

    // The policy's value of a key, or none when it is missing or not a
    // number (a text).
    static std::optional<int> GetPolicyInt(PolicyScope scope, const char* key);
    static std::optional<std::string> GetPolicyString(PolicyScope scope, const char* key);

private:
    std::string company;
};
