#include "engine/ContactPlan.h"

#include "settings/TimeUnits.h"

#include <cstring>

namespace {

bool StartsWith(const std::string& text, const char* prefix)
{
    return text.compare(0, std::strlen(prefix), prefix) == 0;
}

std::string WithoutFirst(const std::string& text, std::size_t count)
{
    return count < text.size() ? text.substr(count) : std::string();
}

}  // namespace

unsigned int ContactPeriodMs(int minutes)
{
    constexpr int kMaxMinutes = 0x7FFFFFFF / kMsPerMinute;
    if (minutes < 1) {
        minutes = 1;
    } else if (minutes > kMaxMinutes) {
        minutes = kMaxMinutes;
    }
    return MsFromMinutes(static_cast<unsigned int>(minutes));
}

int CRuntimeRandom::Next()
{
    state = state * 214013u + 2531011u;
    return static_cast<int>((state >> 16) & 0x7FFFu);
}

int RandomHostIndex(CRuntimeRandom& generator)
{
    int drawn = generator.Next();
    while (drawn > 9) {
        drawn = generator.Next();
    }
    return drawn;
}

int NextSequentialIndex(int& lastIndex)
{
    // Any position outside the list starts it again, without overflowing.
    lastIndex = lastIndex >= 0 && lastIndex < 9 ? lastIndex + 1 : 0;
    return lastIndex;
}

const char* SchemePrefix(int httpMode)
{
    return httpMode == 1 ? kHttpPrefix : kFtpPrefix;
}

std::optional<std::string> BuildTarget(int httpMode, const std::string& host)
{
    std::string target = SchemePrefix(httpMode);
    if (host.empty() || target.size() + host.size() > kTargetCapacity - 1) {
        return std::nullopt;
    }
    return target + host;
}

std::string ProxyServerText(int httpMode, const std::string& server)
{
    const char* prefix = SchemePrefix(httpMode);
    return StartsWith(server, prefix) ? server : prefix + server;
}

std::string ProxyListText(const std::string& proxyServer, int port)
{
    return proxyServer + ":" + std::to_string(port);
}

ContactForm ChooseContactForm(int useProxy, const std::string& proxyServer)
{
    if (useProxy != 1 || proxyServer == kHttpPrefix || proxyServer == kFtpPrefix) {
        return ContactForm::Direct;
    }
    if (StartsWith(proxyServer, kHttpPrefix)) {
        return ContactForm::HttpProxy;
    }
    if (StartsWith(proxyServer, kFtpPrefix)) {
        return ContactForm::FtpProxy;
    }
    return ContactForm::Direct;
}

std::string TargetHost(const std::string& target, ContactForm form)
{
    switch (form) {
    case ContactForm::HttpProxy:
        return WithoutFirst(target, std::strlen(kHttpPrefix));
    case ContactForm::FtpProxy:
        return WithoutFirst(target, std::strlen(kFtpPrefix));
    case ContactForm::Direct:
        break;
    }
    if (StartsWith(target, kHttpPrefix)) {
        return WithoutFirst(target, std::strlen(kHttpPrefix));
    }
    if (StartsWith(target, kFtpPrefix)) {
        return WithoutFirst(target, std::strlen(kFtpPrefix));
    }
    return target;
}

unsigned short LowPort(int port)
{
    return static_cast<unsigned short>(static_cast<unsigned int>(port) & 0xFFFFu);
}
