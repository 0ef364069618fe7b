#pragma once
// Replaces the web browser for one test, so that no real browser ever runs:
// the shell's command for http addresses starts BrowserStandIn.exe, which
// records each address it is given, or another command the test names.
// Wine's own launcher is left no browser it could find either way. The
// command, the launcher's list and the record all go again at the end.
#include <windows.h>

#include <string>

class CBrowserStandIn {
public:
    // BrowserStandIn.exe opens every http address.
    CBrowserStandIn();
    // The shell runs this command instead; an empty one keeps Wine's
    // launcher, which then finds no browser.
    explicit CBrowserStandIn(const std::string& httpCommand);
    ~CBrowserStandIn();
    CBrowserStandIn(const CBrowserStandIn&) = delete;
    CBrowserStandIn& operator=(const CBrowserStandIn&) = delete;

    // How often BrowserStandIn.exe opened a page, and the last address.
    DWORD Starts() const;
    std::string LastAddress() const;

private:
    std::string savedCommand;
};
