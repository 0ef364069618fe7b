#include "TestThread.h"

#include <utility>

CTestThread::CTestThread(std::function<void()> work) : body(std::move(work))
{
    handle = CreateThread(nullptr, 0, Main, this, 0, nullptr);
}

CTestThread::~CTestThread()
{
    Join();
}

void CTestThread::Join()
{
    if (handle != nullptr) {
        WaitForSingleObject(handle, INFINITE);
        CloseHandle(handle);
        handle = nullptr;
    }
}

DWORD WINAPI CTestThread::Main(void* self)
{
    static_cast<CTestThread*>(self)->body();
    return 0;
}
