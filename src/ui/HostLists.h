#pragma once
// The ten web hosts and ten FTP hosts as the Set Up dialog edits them: read
// from the settings when it opens, written back only when it saves.
#include "settings/SettingsKeys.h"

#include <array>
#include <string>

class CHostLists {
public:
    using List = std::array<std::string, keys::kHostCount>;

    // Every entry from its key; a missing key reads as the maker's web host.
    void Read();
    // Both lists, whichever protocol is chosen: entry i of the web list, then
    // entry i of the FTP list, for i from 0 to 9.
    void Write() const;

    const List& Entries(keys::HostList list) const { return list == keys::HostList::Http ? http : ftp; }
    // index must be 0 to 9.
    std::string& Entry(keys::HostList list, int index);

    // Whether a policy sets the entry, which the user then cannot change.
    static bool IsManaged(keys::HostList list, int index);
    static bool AnyManaged();

private:
    List http;
    List ftp;
};
