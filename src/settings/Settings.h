#pragma once
// Reads and writes of the program's own section through the key table.
#include "settings/SettingsKeys.h"

#include <string>

namespace settings {

int Read(const keys::IntKey& key);
int Read(const keys::IntKey& key, int otherDefault);
std::string Read(const keys::TextKey& key);
std::string Read(const keys::TextKey& key, const char* otherDefault);

bool Write(const keys::IntKey& key, int value);
bool Write(const keys::TextKey& key, const std::string& value);
// Removes the key's value from the section.
bool Remove(const keys::TextKey& key);

}  // namespace settings
