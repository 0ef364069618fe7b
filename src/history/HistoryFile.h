#pragma once
// The record on disk, %LOCALAPPDATA%\Quellor\history.csv: lines appended,
// the older half dropped when it would grow past its size, and a file that
// is no record set aside as history.csv.bad for a new one. Called on the
// writer's thread only.
#include <string>

class CHistoryFile {
public:
    // The record's full name, or empty when the system names no folder.
    static std::string Path();
    // False when the file cannot be opened now (another program holds it):
    // the lines are to be written later.
    static bool Append(const std::string& path, const std::string& lines);
    // Moves the file (or a folder of that name) out of the way.
    static void SetAside(const std::string& path);
};
