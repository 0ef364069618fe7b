#pragma once
// A thread for tests, joined at the latest when the object goes, and a lock
// for what it shares.
#include <windows.h>

#include <functional>

class CTestThread {
public:
    explicit CTestThread(std::function<void()> body);
    ~CTestThread();
    CTestThread(const CTestThread&) = delete;
    CTestThread& operator=(const CTestThread&) = delete;

    void Join();

private:
    static DWORD WINAPI Main(void* self);

    std::function<void()> body;
    HANDLE handle = nullptr;
};

class CTestLock {
public:
    CTestLock() { InitializeCriticalSection(&section); }
    ~CTestLock() { DeleteCriticalSection(&section); }
    CTestLock(const CTestLock&) = delete;
    CTestLock& operator=(const CTestLock&) = delete;

    // Holds the lock for its own lifetime.
    class Hold {
    public:
        explicit Hold(CTestLock& lock) : lock(lock) { EnterCriticalSection(&lock.section); }
        ~Hold() { LeaveCriticalSection(&lock.section); }
        Hold(const Hold&) = delete;
        Hold& operator=(const Hold&) = delete;

    private:
        CTestLock& lock;
    };

private:
    CRITICAL_SECTION section;
};
