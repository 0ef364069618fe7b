#pragma once
// Dialing the phonebook entries of Windows' dial-up service (dial-up, PPPoE,
// VPN). The service's DLL is loaded from the system directory at the first
// use, as for the connection watch.
#include <windows.h>

#include <string>
#include <vector>

namespace ras_dial {

// Dials the entry with what the service keeps for it (the saved password
// comes back as a handle and goes on unchanged) and waits until it is
// connected or the dial has failed: 0, or the error. A failed dial's
// connection is hung up, as the service requires; a connected one is never.
DWORD DialEntry(const std::string& entry);

// The service's text for the error, with its number: "... (691)".
std::string ErrorText(DWORD error);

// The entries of the user's phonebook, in the service's order; none without
// a service.
std::vector<std::string> PhonebookEntries();

}  // namespace ras_dial
