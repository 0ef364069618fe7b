#pragma once
// Direct access to Quellor.exe's settings in the registry, for tests that
// prepare a store before starting the program and check it afterwards.
#include <string>

namespace quellor_registry {

// HKEY_CURRENT_USER\software\Marrowby\Quellor\Quellor
extern const char* const kSectionPath;

// Removes everything the program stored, as on a machine it never ran on.
void Clear();
// A user who has been through the first start and asked for no dialog at
// start-up, with every host pointing at this machine.
void PrepareQuietStart();

bool Exists(const char* key);
int ReadInt(const char* key, int defaultValue);
std::string ReadString(const char* key, const std::string& defaultValue);
// The value's registry type (REG_DWORD, REG_SZ...), or REG_NONE when missing.
unsigned long TypeOf(const char* key);
void WriteInt(const char* key, int value);
void WriteString(const char* key, const std::string& value);
// Any bytes of any type, as another program or a hand edit may leave them.
void WriteRaw(const char* key, unsigned long type, const void* data, unsigned long size);
void Remove(const char* key);

// The values an administrator sets for the program by Group Policy, under
// Software\Policies\Marrowby\Quellor of the machine or of the user.
enum class Scope { Machine, User };
void WritePolicyInt(Scope scope, const char* key, int value);
void WritePolicyString(Scope scope, const char* key, const std::string& value);
int ReadPolicyInt(Scope scope, const char* key, int defaultValue);
// Removes every policy of both scopes.
void ClearPolicies();

}  // namespace quellor_registry
