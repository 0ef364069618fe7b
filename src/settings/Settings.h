#pragma once
// Reads and writes of the program's own section through the key table. A
// key that Group Policy sets reads as the policy's value, the machine's
// before the user's; a policy value of the wrong kind or out of the key's
// range is ignored, and the user's own value is read instead.
#include "settings/SettingsKeys.h"

#include <string>

namespace settings {

int Read(const keys::IntKey& key);
int Read(const keys::IntKey& key, int otherDefault);
std::string Read(const keys::TextKey& key);
std::string Read(const keys::TextKey& key, const char* otherDefault);

// Whether a policy sets the key now, so that the user cannot change it.
bool IsManaged(const keys::IntKey& key);
bool IsManaged(const keys::TextKey& key);

// Writes the user's own value, unless a policy sets the key: then nothing
// is written and the result is false.
bool Write(const keys::IntKey& key, int value);
bool Write(const keys::TextKey& key, const std::string& value);
// Writes the user's own value even while a policy sets the key: the first
// start's values, there for when the policy goes.
bool Seed(const keys::TextKey& key, const std::string& value);
// Removes the key's value from the section.
bool Remove(const keys::TextKey& key);

}  // namespace settings
