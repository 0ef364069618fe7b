#include "ui/HostLists.h"

#include "settings/Settings.h"

void CHostLists::Read()
{
    for (int i = 0; i < keys::kHostCount; ++i) {
        http[i] = settings::Read(keys::HostKey(keys::HostList::Http, i));
        ftp[i] = settings::Read(keys::HostKey(keys::HostList::Ftp, i));
    }
}

void CHostLists::Write() const
{
    for (int i = 0; i < keys::kHostCount; ++i) {
        settings::Write(keys::HostKey(keys::HostList::Http, i), http[i]);
        settings::Write(keys::HostKey(keys::HostList::Ftp, i), ftp[i]);
    }
}

std::string& CHostLists::Entry(keys::HostList list, int index)
{
    return (list == keys::HostList::Http ? http : ftp)[index];
}

bool CHostLists::IsManaged(keys::HostList list, int index)
{
    return settings::IsManaged(keys::HostKey(list, index));
}

bool CHostLists::AnyManaged()
{
    for (int i = 0; i < keys::kHostCount; ++i) {
        if (IsManaged(keys::HostList::Http, i) || IsManaged(keys::HostList::Ftp, i)) {
            return true;
        }
    }
    return false;
}
