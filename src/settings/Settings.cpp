#include "settings/Settings.h"

#include "settings/SettingsStore.h"

#include <optional>
#include <utility>

namespace settings {

namespace {

constexpr PolicyScope kPolicyOrder[] = {PolicyScope::Machine, PolicyScope::User};

std::optional<int> PolicyValue(const keys::IntKey& key)
{
    if (key.policy == keys::Policy::Yes) {
        for (const PolicyScope scope : kPolicyOrder) {
            const std::optional<int> value = CSettingsStore::GetPolicyInt(scope, key.name);
            if (value && *value >= key.lowest && *value <= key.highest) {
                return value;
            }
        }
    }
    return std::nullopt;
}

std::optional<std::string> PolicyValue(const keys::TextKey& key)
{
    if (key.policy == keys::Policy::Yes) {
        for (const PolicyScope scope : kPolicyOrder) {
            std::optional<std::string> value = CSettingsStore::GetPolicyString(scope, key.name);
            if (value) {
                return value;
            }
        }
    }
    return std::nullopt;
}

}  // namespace

int Read(const keys::IntKey& key)
{
    return Read(key, key.defaultValue);
}

int Read(const keys::IntKey& key, int otherDefault)
{
    if (const std::optional<int> policy = PolicyValue(key)) {
        return *policy;
    }
    return CSettingsStore::Global().GetInt(keys::kSection, key.name, otherDefault);
}

std::string Read(const keys::TextKey& key)
{
    return Read(key, key.defaultValue);
}

std::string Read(const keys::TextKey& key, const char* otherDefault)
{
    if (std::optional<std::string> policy = PolicyValue(key)) {
        return std::move(*policy);
    }
    return CSettingsStore::Global().GetString(keys::kSection, key.name, otherDefault);
}

bool IsManaged(const keys::IntKey& key)
{
    return PolicyValue(key).has_value();
}

bool IsManaged(const keys::TextKey& key)
{
    return PolicyValue(key).has_value();
}

bool Write(const keys::IntKey& key, int value)
{
    return !IsManaged(key) && CSettingsStore::Global().WriteInt(keys::kSection, key.name, value);
}

bool Write(const keys::TextKey& key, const std::string& value)
{
    return !IsManaged(key) && Seed(key, value);
}

bool Seed(const keys::TextKey& key, const std::string& value)
{
    return CSettingsStore::Global().WriteString(keys::kSection, key.name, value.c_str());
}

bool Remove(const keys::TextKey& key)
{
    return CSettingsStore::Global().WriteString(keys::kSection, key.name, nullptr);
}

}  // namespace settings
