#pragma once
// One small network contact with one host, so that a dial-up line carries
// some traffic: an HTTP GET or an FTP login through a proxy, or a bare TCP
// connection. Its outcome is read from the results of the calls it makes
// and changes nothing of what it sends; every failure ends the contact
// quietly and the next tick tries again.
#include "engine/ContactOutcome.h"
#include "engine/ContactPlan.h"

#include <atomic>
#include <string>

class CActivityProbe {
public:
    CActivityProbe() = default;
    CActivityProbe(const CActivityProbe&) = delete;
    CActivityProbe& operator=(const CActivityProbe&) = delete;

    void SetContactPort(int portSetting);
    // mode 1: an HTTP proxy; any other mode: an FTP proxy. server as typed.
    void SetProxy(int mode, const std::string& server);
    // The form the contact takes.
    ContactForm Form() const;
    // target: "http://" or "ftp://" followed by the host.
    ContactOutcome Probe(const std::string& target);
    // From any thread, while Probe runs on another: the contact takes no
    // step after the one under way, which its own time limit bounds. A probe
    // cut short before Probe makes no contact at all.
    void CutShort() { cutShort = true; }
    bool IsCutShort() const { return cutShort; }

    // The longest a contact waits for a connection, a send or an answer. A
    // proxy that accepts and never answers would otherwise hold the calling
    // thread for good; the platform's own defaults are all longer.
    static constexpr unsigned long kTimeoutMs = 10000;

private:
    ContactOutcome ContactThroughHttpProxy(const std::string& host);
    ContactOutcome ContactThroughFtpProxy(const std::string& host);
    ContactOutcome ContactDirectly(const std::string& host);

    int useProxy = 0;
    std::string proxyServer;
    int port = 0;
    std::atomic<bool> cutShort{false};
};
