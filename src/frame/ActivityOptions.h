#pragma once
// The options an ON reads once, when it starts: a change of them takes
// effect at the next start. The contact tick reads the proxy switch, the
// port and the hosts afresh each time.
#include <string>

struct ActivityOptions {
    // America Online (3.0 or 4.0), Prodigy or MSN: their warnings are
    // clicked away.
    int aolFlag = 0;
    std::string aolTimerTitle;
    int isHttp = 1;
    int isRandom = 1;
    int intervalMinutes = 1;
    std::string proxyAddress;
    int prodigyFlag = 0;
    std::string prodigyTitle;
    // A tick makes no contact while the line carries traffic anyway.
    bool onlyWhenQuiet = false;

    static ActivityOptions Read();
    bool DismissesWarnings() const { return aolFlag != 0 || prodigyFlag != 0; }
};

// The user's service is America Online, 3.0 or 4.0.
int ReadAolFlag();
