#include "settings/Settings.h"

#include "settings/SettingsStore.h"

namespace settings {

int Read(const keys::IntKey& key)
{
    return Read(key, key.defaultValue);
}

int Read(const keys::IntKey& key, int otherDefault)
{
    return CSettingsStore::Global().GetInt(keys::kSection, key.name, otherDefault);
}

std::string Read(const keys::TextKey& key)
{
    return Read(key, key.defaultValue);
}

std::string Read(const keys::TextKey& key, const char* otherDefault)
{
    return CSettingsStore::Global().GetString(keys::kSection, key.name, otherDefault);
}

bool Write(const keys::IntKey& key, int value)
{
    return CSettingsStore::Global().WriteInt(keys::kSection, key.name, value);
}

bool Write(const keys::TextKey& key, const std::string& value)
{
    return CSettingsStore::Global().WriteString(keys::kSection, key.name, value.c_str());
}

bool Remove(const keys::TextKey& key)
{
    return CSettingsStore::Global().WriteString(keys::kSection, key.name, nullptr);
}

}  // namespace settings
