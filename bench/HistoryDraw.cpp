// Times what choosing "History..." costs with a full record: a record of
// about 1 MB written to a file of its own (a week of contacts every 30 s,
// with drops and dials), then read, worked out and drawn in both views into
// a bitmap of the window's size. Prints the milliseconds of each run.
//     HistoryDraw.exe [RUNS]
#include "history/HistoryDay.h"
#include "history/HistoryText.h"
#include "ui/HistoryPicture.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

history::Stamp StampOf(long long seconds)
{
    // Walks days from 2000-01-01; a week's worth is quick enough here.
    history::Stamp stamp{2000, 1, 1, 0, 0, 0};
    long long days = seconds / 86400;
    static const int kMonthDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    while (days > 0) {
        const bool leap = stamp.year % 4 == 0 && (stamp.year % 100 != 0 || stamp.year % 400 == 0);
        const int inMonth = kMonthDays[stamp.month - 1] + (stamp.month == 2 && leap ? 1 : 0);
        if (++stamp.day > inMonth) {
            stamp.day = 1;
            if (++stamp.month > 12) {
                stamp.month = 1;
                ++stamp.year;
            }
        }
        --days;
    }
    const long long rest = seconds % 86400;
    stamp.hour = static_cast<int>(rest / 3600);
    stamp.minute = static_cast<int>(rest / 60 % 60);
    stamp.second = static_cast<int>(rest % 60);
    return stamp;
}

std::string FullRecord(long long now)
{
    std::string text;
    long long at = now - 7 * 86400;
    int count = 0;
    text += history::FormatLine({StampOf(at), "ON", {"menu"}});
    while (text.size() < history::kMostBytes - 200 && at < now) {
        at += 30;
        ++count;
        const char* outcome = count % 50 == 0 ? "no answer" : "answered";
        text += history::FormatLine({StampOf(at), "contact", {"www.example.com", "HTTP proxy", outcome, "132"}});
        if (count % 400 == 0) {
            text += history::FormatLine({StampOf(at), "down", {"Office VPN"}});
            text += history::FormatLine({StampOf(at + 20), "dial", {"Office VPN", "connected"}});
            text += history::FormatLine({StampOf(at + 20), "up", {"Office VPN"}});
        }
    }
    return text;
}

std::string ReadAll(const char* path)
{
    std::string text(history::kMostBytes, '\0');
    const HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    DWORD read = 0;
    ReadFile(file, text.data(), static_cast<DWORD>(text.size()), &read, nullptr);
    CloseHandle(file);
    text.resize(read);
    return text;
}

}  // namespace

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::atoi(argv[1]) : 5;
    SYSTEMTIME local = {};
    GetLocalTime(&local);
    const long long now = history::StampSeconds(
        {local.wYear, local.wMonth, local.wDay, local.wHour, local.wMinute, local.wSecond});
    char path[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, path);
    lstrcatA(path, "HistoryDraw.csv");
    const std::string record = FullRecord(now);
    const HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, record.data(), static_cast<DWORD>(record.size()), &written, nullptr);
    CloseHandle(file);

    const HDC screen = GetDC(nullptr);
    const HDC dc = CreateCompatibleDC(screen);
    const HBITMAP bitmap = CreateCompatibleBitmap(screen, 680, 360);
    const HGDIOBJ old = SelectObject(dc, bitmap);
    std::printf("record: %lu bytes\n", written);
    for (int run = 0; run < runs; ++run) {
        LARGE_INTEGER start = {};
        LARGE_INTEGER end = {};
        LARGE_INTEGER frequency = {};
        QueryPerformanceFrequency(&frequency);
        QueryPerformanceCounter(&start);
        const history::Reading reading = history::ReadText(ReadAll(path));
        LARGE_INTEGER read = {};
        QueryPerformanceCounter(&read);
        const std::string summary = history::DaySummary(reading.events, {now - now % 86400, now}, reading.skipped);
        const CHistoryPicture picture(reading.events, now, 96);
        const RECT area = {50, 60, 670, 280};
        picture.Draw(dc, area, false);
        picture.Draw(dc, area, true);
        GdiFlush();
        QueryPerformanceCounter(&end);
        const auto ms = [&](const LARGE_INTEGER& a, const LARGE_INTEGER& b) {
            return 1000.0 * static_cast<double>(b.QuadPart - a.QuadPart) / static_cast<double>(frequency.QuadPart);
        };
        std::printf("run %d: %zu events, read and drawn in %.1f ms (read %.1f ms)\n", run + 1, reading.events.size(),
                    ms(start, end), ms(start, read));
    }
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    DeleteFileA(path);
    return 0;
}
