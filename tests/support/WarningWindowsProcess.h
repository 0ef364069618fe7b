#pragma once
// WarningWindows.exe, the stand-in for online-service clients' warning
// windows, run for one test with its log in a fresh temporary file.
#include <windows.h>

#include <string>
#include <vector>

class CWarningWindows {
public:
    struct LogLine {
        std::string title;
        std::string event;
        unsigned long wParam = 0;
        long lParam = 0;
    };

    // The program's arguments after the log file: modes and titles.
    explicit CWarningWindows(const std::vector<std::string>& arguments);
    ~CWarningWindows();
    CWarningWindows(const CWarningWindows&) = delete;
    CWarningWindows& operator=(const CWarningWindows&) = delete;

    // True once a window with each of these exact titles is up.
    bool WaitForWindows(const std::vector<std::string>& titles) const;
    bool HasWindow(const std::string& title) const;

    std::vector<LogLine> Log() const;
    // Titles of the windows that have gone, in the order they went.
    std::vector<std::string> Closed() const;
    int Count(const std::string& title, const std::string& event) const;

private:
    std::string logPath;
    PROCESS_INFORMATION process = {};
    bool started = false;
};
