#include "WarningWindowsProcess.h"

#include "QuellorProcess.h"
#include "TestWindows.h"

#include <fstream>
#include <sstream>

CWarningWindows::CWarningWindows(const std::vector<std::string>& arguments)
{
    char folder[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    char path[MAX_PATH] = {};
    GetTempFileNameA(folder, "qww", 0, path);
    logPath = path;
    std::string commandLine = "\"" + CQuellorProcess::BesideTests("WarningWindows.exe") + "\" \"" + logPath + "\"";
    for (const std::string& argument : arguments) {
        commandLine += " \"" + argument + "\"";
    }
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    started = CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                             &process) != FALSE;
}

CWarningWindows::~CWarningWindows()
{
    if (started) {
        TerminateProcess(process.hProcess, 0);
        WaitForSingleObject(process.hProcess, 5000);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    DeleteFileA(logPath.c_str());
}

bool CWarningWindows::WaitForWindows(const std::vector<std::string>& titles) const
{
    const auto allUp = [&] {
        for (const std::string& title : titles) {
            if (!HasWindow(title)) {
                return false;
            }
        }
        return true;
    };
    return started && WaitUntil(allUp, 10000);
}

bool CWarningWindows::HasWindow(const std::string& title) const
{
    return FindProcessWindow(process.dwProcessId, nullptr, title.c_str()) != nullptr;
}

std::vector<CWarningWindows::LogLine> CWarningWindows::Log() const
{
    std::vector<LogLine> lines;
    std::ifstream file(logPath);
    std::string text;
    while (std::getline(file, text)) {
        // A line without its end is still being written: read next time.
        if (file.eof()) {
            break;
        }
        std::istringstream fields(text);
        LogLine line;
        std::string wParam;
        std::string lParam;
        std::getline(fields, line.title, '\t');
        std::getline(fields, line.event, '\t');
        std::getline(fields, wParam, '\t');
        if (!std::getline(fields, lParam) || wParam.empty() || lParam.empty()) {
            continue;
        }
        line.wParam = std::stoul(wParam);
        line.lParam = std::stol(lParam);
        lines.push_back(line);
    }
    return lines;
}

std::vector<std::string> CWarningWindows::Closed() const
{
    std::vector<std::string> titles;
    for (const LogLine& line : Log()) {
        if (line.event == "closed") {
            titles.push_back(line.title);
        }
    }
    return titles;
}

int CWarningWindows::Count(const std::string& title, const std::string& event) const
{
    int count = 0;
    for (const LogLine& line : Log()) {
        count += line.title == title && line.event == event ? 1 : 0;
    }
    return count;
}
