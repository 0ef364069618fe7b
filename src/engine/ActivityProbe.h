#pragma once
// One small network contact with one host, so that a dial-up line carries
// some traffic: an HTTP GET or an FTP login through a proxy, or a bare TCP
// connection. The outcome is never examined; every failure ends the contact
// quietly and the next tick tries again.
// windows.h first: it renames SetPort (a printer call) for everyone alike.
#include <windows.h>

#include "engine/ContactHandles.h"

#include <string>

class CActivityProbe {
public:
    CActivityProbe() = default;

    void SetPort(int portSetting);
    // mode 1: an HTTP proxy; any other mode: an FTP proxy. server as typed.
    void SetProxy(int mode, const std::string& server);
    // target: "http://" or "ftp://" followed by the host.
    void Probe(const std::string& target);
    // From any thread, while Probe runs on another: ends the contact as soon
    // as its blocked call allows, without another step. A probe cut short
    // before Probe makes no contact at all.
    void CutShort();

    // The longest a contact waits for a connection, a send or an answer. A
    // proxy that accepts and never answers would otherwise hold the calling
    // thread for good; the platform's own defaults are all longer.
    static constexpr unsigned long kTimeoutMs = 10000;

private:
    void ContactThroughHttpProxy(const std::string& host);
    void ContactThroughFtpProxy(const std::string& host);
    void ContactDirectly(const std::string& host);

    int useProxy = 0;
    std::string proxyServer;
    int port = 0;
    CContactHandles handles;
};
