#pragma once
// The fake dial-up service: a fake rasapi32.dll (build/fakeras/) copied into
// the prefix's system directory, whose list of active connections the test
// writes to the registry and which counts every call there. A running
// AutoNetSense watch asks at once and then every ten seconds; a stopped one
// never does. The same DLL lies planted beside a copy of Quellor.exe, where
// a program that searched its own folder would find it first.
#include <windows.h>

#include <string>
#include <vector>

class CFakeDialUp {
public:
    // Puts the fake in the system directory and makes Wine load it, rather
    // than its own, for Quellor.exe, with an empty list and no calls
    // counted; the destructor takes all of it away again, so that other
    // tests run the system's DLL.
    CFakeDialUp();
    ~CFakeDialUp();
    CFakeDialUp(const CFakeDialUp&) = delete;
    CFakeDialUp& operator=(const CFakeDialUp&) = delete;

    // Entry names separated by '|'; read afresh at every call.
    void SetConnections(const std::string& entries);
    // Each call answers only after this long (0: at once).
    void SetDelay(DWORD delayMs);
    // Each call fails with this error code (0: answers with the list).
    void SetFailure(DWORD errorCode);
    // How often the program has asked for the list.
    DWORD Calls() const;

    // Dialing: the phonebook's entries ('|' between them), the error every
    // dial ends with (0: connected, and then among the connections) and how
    // long a dial takes.
    void SetPhonebook(const std::string& entries);
    void SetDialResult(DWORD errorCode);
    void SetDialDelay(DWORD delayMs);
    // The tick counts at which the entry was dialed.
    std::vector<DWORD> DialTimes(const std::string& entry) const;
    // Handles of failed dials not hung up yet, and connections hung up.
    DWORD OpenFailedHandles() const { return Number("OpenFailedHandles"); }
    DWORD HungUpConnected() const { return Number("HungUpConnected"); }
    // The path of the DLL that answered the last call.
    std::string LoadedFrom() const;
    // Where the fake must be loaded from.
    static std::string SystemCopy();
    // The watch's pause between two polls.
    static constexpr DWORD kPollPeriodMs = 10000;
    // True once the program asked again after `calls`.
    bool WaitForCallAfter(DWORD calls, DWORD timeoutMs = kPollPeriodMs + 5000) const;

    // The copy of Quellor.exe with the planted DLL beside it.
    static std::string QuellorCopy();

private:
    DWORD Number(const char* name) const;
};
