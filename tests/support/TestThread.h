#pragma once
// A thread for tests, joined at the latest when the object goes.
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
