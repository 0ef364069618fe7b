#include "settings/SettingsKeys.h"

namespace keys {

namespace {

constexpr TextKey kHttpHosts[kHostCount] = {
    {"HTTPURL0", maker::kWebHost}, {"HTTPURL1", maker::kWebHost}, {"HTTPURL2", maker::kWebHost},
    {"HTTPURL3", maker::kWebHost}, {"HTTPURL4", maker::kWebHost}, {"HTTPURL5", maker::kWebHost},
    {"HTTPURL6", maker::kWebHost}, {"HTTPURL7", maker::kWebHost}, {"HTTPURL8", maker::kWebHost},
    {"HTTPURL9", maker::kWebHost},
};

constexpr TextKey kFtpHosts[kHostCount] = {
    {"FTPURL0", maker::kWebHost}, {"FTPURL1", maker::kWebHost}, {"FTPURL2", maker::kWebHost},
    {"FTPURL3", maker::kWebHost}, {"FTPURL4", maker::kWebHost}, {"FTPURL5", maker::kWebHost},
    {"FTPURL6", maker::kWebHost}, {"FTPURL7", maker::kWebHost}, {"FTPURL8", maker::kWebHost},
    {"FTPURL9", maker::kWebHost},
};

}  // namespace

const TextKey& HostKey(HostList list, int index)
{
    return list == HostList::Http ? kHttpHosts[index] : kFtpHosts[index];
}

}  // namespace keys
