#pragma once
// Every value Quellor.exe has stored, with its type and bytes, so a test can
// tell that a command changed nothing.
#include <map>
#include <string>

// Value name -> type and data, as the registry holds them.
using SettingsSnapshot = std::map<std::string, std::string>;

SettingsSnapshot TakeSettingsSnapshot();
