// The record of the line that the real Quellor.exe keeps in
// %LOCALAPPDATA%\Quellor\history.csv: the switches and a contact written as
// lines, a file that is no record set aside, and a file another program
// holds written once it lets go, while the program answers all along.
#include "LoopbackListener.h"
#include "QuellorProcess.h"
#include "QuellorRegistry.h"
#include "TestWindows.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <string>
#include <vector>

namespace {

namespace reg = quellor_registry;

constexpr WPARAM kActivityOn = 32771;
constexpr WPARAM kActivityOff = 32772;
constexpr WPARAM kContactTimer = 1;
constexpr WPARAM kHistoryCommand = 32796;
constexpr unsigned short kProxyPort = 18400;

std::string RecordPath()
{
    char folder[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder);
    return std::string(folder) + "\\Quellor\\history.csv";
}

std::string FileText(const std::string& path)
{
    std::string text;
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return text;
    }
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) {
        text.append(buffer, read);
    }
    CloseHandle(file);
    return text;
}

void WriteFileText(const std::string& path, const std::string& text)
{
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
}

// The record's lines without their time stamps.
std::vector<std::string> Events(const std::string& text)
{
    std::vector<std::string> events;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t end = text.find("\r\n", at);
        if (end == std::string::npos) {
            break;
        }
        const std::string line = text.substr(at, end - at);
        events.push_back(line.size() > 20 && line[19] == ',' ? line.substr(20) : "stamp? " + line);
        at = end + 2;
    }
    return events;
}

void RemoveRecords()
{
    for (const std::string& path : {RecordPath(), RecordPath() + ".bad"}) {
        DeleteFileA(path.c_str());
        RemoveDirectoryA(path.c_str());
    }
}

class HistoryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        WSADATA data = {};
        ASSERT_EQ(WSAStartup(MAKEWORD(1, 1), &data), 0);
        reg::PrepareQuietStart();
        RemoveRecords();
    }
    void TearDown() override
    {
        if (quellor.IsRunning()) {
            EXPECT_TRUE(quellor.Exit());
        }
        RemoveRecords();
        WSACleanup();
    }

    void Launch()
    {
        ASSERT_TRUE(quellor.Launch());
        frame = quellor.WaitForMainWindow();
        ASSERT_NE(frame, nullptr);
    }

    // The frame has handled everything posted to it so far.
    void Post(WPARAM command)
    {
        PostMessageA(frame, WM_COMMAND, command, 0);
        DWORD_PTR answer = 0;
        ASSERT_NE(SendMessageTimeoutA(frame, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &answer), 0u);
    }

    bool RecordReads(const std::vector<std::string>& expected, DWORD timeoutMs = 5000) const
    {
        return WaitUntil([&] { return Events(FileText(RecordPath())) == expected; }, timeoutMs);
    }

    CQuellorProcess quellor;
    HWND frame = nullptr;
};

TEST_F(HistoryTest, SwitchesAndAContactAreWrittenAsLines)
{
    CLoopbackListener proxy;
    ASSERT_TRUE(proxy.Start(kProxyPort, CLoopbackListener::Mode::AnswerHttp));
    reg::WriteInt("IsHttp", 1);
    reg::WriteInt("IsRand", 0);
    reg::WriteInt("Proxy", 1);
    reg::WriteString("ProxyIP3", "127.0.0.1");
    reg::WriteInt("Port", kProxyPort);
    reg::WriteString("HTTPURL1", "127.0.0.2");
    Launch();
    Post(kActivityOn);
    PostMessageA(frame, WM_TIMER, kContactTimer, 0);
    ASSERT_TRUE(proxy.WaitUntilFinished(15000));
    ASSERT_TRUE(proxy.WaitForConnections(1, 5000));
    ASSERT_TRUE(WaitUntil([&] { return Events(FileText(RecordPath())).size() == 2; }, 15000));
    Post(kActivityOff);

    // The window tells the day in words; choosing it again opens no second
    // one, and Esc closes it.
    Post(kHistoryCommand);
    const HWND window = WaitForProcessWindow(quellor.Id(), "QuellorHistory", "Quellor History");
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return !GetText(FindWindowExA(window, nullptr, "Static", nullptr)).empty(); }, 5000));
    const HWND summary = FindWindowExA(window, nullptr, "Static", nullptr);
    EXPECT_EQ(GetText(summary).rfind("Today: ON ", 0), 0u) << GetText(summary);
    EXPECT_NE(GetText(summary).find(", 1 contact, 0 without answer."), std::string::npos) << GetText(summary);
    Post(kHistoryCommand);
    EXPECT_EQ(WindowsOfClass(quellor.Id(), "QuellorHistory").size(), 1u);
    PostMessageA(FindWindowExA(window, nullptr, "Button", "Close"), WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(window); }, 5000));
    ASSERT_TRUE(quellor.Exit());

    const std::vector<std::string> events = Events(FileText(RecordPath()));
    ASSERT_EQ(events.size(), 3u) << FileText(RecordPath());
    EXPECT_EQ(events[0], "ON,menu");
    EXPECT_EQ(events[1].rfind("contact,127.0.0.2,HTTP proxy,answered,", 0), 0u) << events[1];
    EXPECT_EQ(events[2], "OFF,menu");
    const std::string text = FileText(RecordPath());
    SYSTEMTIME now = {};
    GetLocalTime(&now);
    char today[16] = {};
    wsprintfA(today, "%04d-%02d-%02dT", now.wYear, now.wMonth, now.wDay);
    EXPECT_EQ(text.rfind(today, 0), 0u) << "local time first: " << text;
}

TEST_F(HistoryTest, WhatIsNoRecordIsSetAsideAndAHeldFileIsWrittenLater)
{
    // A folder of the record's name.
    CreateDirectoryA(RecordPath().substr(0, RecordPath().rfind('\\')).c_str(), nullptr);
    ASSERT_TRUE(CreateDirectoryA(RecordPath().c_str(), nullptr));
    Launch();
    Post(kActivityOn);
    ASSERT_TRUE(RecordReads({"ON,menu"}));
    EXPECT_NE(GetFileAttributesA((RecordPath() + ".bad").c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);

    // Binary junk with no line end, in place of the record.
    const std::string junk = std::string(3000, '\x7f') + std::string(10, '\0');
    WriteFileText(RecordPath(), junk);
    Post(kActivityOff);
    ASSERT_TRUE(RecordReads({"OFF,menu"}));
    EXPECT_EQ(FileText(RecordPath() + ".bad"), junk);

    // Held without sharing, as a spreadsheet holds it: the program answers at
    // once all along, and writes what happened once the file is let go.
    const HANDLE held = CreateFileA(RecordPath().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    for (int i = 0; i < 3; ++i) {
        Post(kActivityOn);
        Post(kActivityOff);
        EXPECT_LT(quellor.AnswerTimeMs(1000), 200u);
    }
    PumpFor(500);
    CloseHandle(held);
    EXPECT_TRUE(RecordReads(
        {"OFF,menu", "ON,menu", "OFF,menu", "ON,menu", "OFF,menu", "ON,menu", "OFF,menu"}, 10000))
        << FileText(RecordPath());
}

}  // namespace
