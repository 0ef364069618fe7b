#include "settings/SettingsKeys.h"

namespace keys {

namespace {

constexpr TextKey kHttpHosts[kHostCount] = {
    {"HTTPURL0", maker::kWebHost, Policy::Yes}, {"HTTPURL1", maker::kWebHost, Policy::Yes},
    {"HTTPURL2", maker::kWebHost, Policy::Yes}, {"HTTPURL3", maker::kWebHost, Policy::Yes},
    {"HTTPURL4", maker::kWebHost, Policy::Yes}, {"HTTPURL5", maker::kWebHost, Policy::Yes},
    {"HTTPURL6", maker::kWebHost, Policy::Yes}, {"HTTPURL7", maker::kWebHost, Policy::Yes},
    {"HTTPURL8", maker::kWebHost, Policy::Yes}, {"HTTPURL9", maker::kWebHost, Policy::Yes},
};

constexpr TextKey kFtpHosts[kHostCount] = {
    {"FTPURL0", maker::kWebHost, Policy::Yes}, {"FTPURL1", maker::kWebHost, Policy::Yes},
    {"FTPURL2", maker::kWebHost, Policy::Yes}, {"FTPURL3", maker::kWebHost, Policy::Yes},
    {"FTPURL4", maker::kWebHost, Policy::Yes}, {"FTPURL5", maker::kWebHost, Policy::Yes},
    {"FTPURL6", maker::kWebHost, Policy::Yes}, {"FTPURL7", maker::kWebHost, Policy::Yes},
    {"FTPURL8", maker::kWebHost, Policy::Yes}, {"FTPURL9", maker::kWebHost, Policy::Yes},
};

}  // namespace

const TextKey& HostKey(HostList list, int index)
{
    return list == HostList::Http ? kHttpHosts[index] : kFtpHosts[index];
}

}  // namespace keys
