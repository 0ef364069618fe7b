#pragma once
// Counts how often a copy of Quellor.exe asks the dial-up service for its
// connections: the copy beside the fake rasapi32.dll, which reports no
// connection and counts every call in the registry. A running AutoNetSense
// watch asks at once and then every ten seconds; a stopped one never does.
#include <windows.h>

#include <string>

class CDialUpPollCounter {
public:
    // Makes Wine load the fake for Quellor.exe, with an empty list and no
    // calls counted; the destructor takes both away again.
    CDialUpPollCounter();
    ~CDialUpPollCounter();
    CDialUpPollCounter(const CDialUpPollCounter&) = delete;
    CDialUpPollCounter& operator=(const CDialUpPollCounter&) = delete;

    DWORD Polls() const;
    // The copy of Quellor.exe that the fake serves.
    static std::string QuellorCopy();
};
