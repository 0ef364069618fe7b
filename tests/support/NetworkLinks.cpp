#include "NetworkLinks.h"

#include <gtest/gtest.h>

#include <windows.h>

void RunIp(const std::string& arguments)
{
    constexpr DWORD kMostMs = 5000;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    std::string commandLine = "Z:\\sbin\\ip " + arguments;
    PROCESS_INFORMATION info = {};
    ASSERT_TRUE(CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
        << commandLine;
    if (info.hProcess != nullptr) {
        WaitForSingleObject(info.hProcess, kMostMs);
        CloseHandle(info.hProcess);
        CloseHandle(info.hThread);
    }
}
