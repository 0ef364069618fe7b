#include "history/HistoryFile.h"

#include "history/HistoryText.h"
#include "win/Handles.h"

#include <shlobj.h>

namespace {

// What is looked at to tell a record: several lines' worth.
constexpr long long kHeadBytes = 4096;

// Reads count bytes from offset; false on a short read.
bool ReadAt(HANDLE file, long long offset, std::string& bytes, std::size_t count)
{
    LARGE_INTEGER at = {};
    at.QuadPart = offset;
    bytes.assign(count, '\0');
    DWORD read = 0;
    return SetFilePointerEx(file, at, nullptr, FILE_BEGIN) != FALSE &&
           ReadFile(file, bytes.data(), static_cast<DWORD>(count), &read, nullptr) != FALSE && read == count;
}

bool WriteAll(HANDLE file, const std::string& bytes)
{
    DWORD written = 0;
    return WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) != FALSE &&
           written == bytes.size();
}

win::CFileHandle OpenRecord(const std::string& path)
{
    // Others may read it while it is written, never write it.
    return win::CFileHandle(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                        OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
}

// A file of another program's making: too big, binary, or one long line.
bool IsRecord(HANDLE file, long long size)
{
    if (size > static_cast<long long>(history::kMostBytes)) {
        return false;
    }
    std::string head;
    const auto headSize = static_cast<std::size_t>(std::min<long long>(size, kHeadBytes));
    return ReadAt(file, 0, head, headSize) && history::LooksLikeRecord(head);
}

// The whole record with the lines after it, the older half dropped first
// when they would not fit.
bool Rewrite(HANDLE file, long long size, const std::string& lines)
{
    std::string text;
    if (!ReadAt(file, 0, text, static_cast<std::size_t>(size))) {
        return false;
    }
    text += lines;
    while (text.size() > history::kMostBytes) {
        text = std::string(history::NewerHalf(text));
    }
    LARGE_INTEGER start = {};
    return SetFilePointerEx(file, start, nullptr, FILE_BEGIN) != FALSE && WriteAll(file, text) &&
           SetEndOfFile(file) != FALSE;
}

}  // namespace

std::string CHistoryFile::Path()
{
    char folder[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT,
                                folder))) {
        return {};
    }
    return std::string(folder) + "\\Quellor\\history.csv";
}

void CHistoryFile::SetAside(const std::string& path)
{
    const std::string aside = path + ".bad";
    if (!DeleteFileA(aside.c_str())) {
        RemoveDirectoryA(aside.c_str());
    }
    MoveFileExA(path.c_str(), aside.c_str(), MOVEFILE_REPLACE_EXISTING);
}

// NOLINTNEXTLINE(bugprone-easily-swappable-parameters): where, then what, as a file is written
bool CHistoryFile::Append(const std::string& path, const std::string& lines)
{
    CreateDirectoryA(path.substr(0, path.rfind('\\')).c_str(), nullptr);
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        SetAside(path);
    }
    win::CFileHandle file = OpenRecord(path);
    LARGE_INTEGER size = {};
    if (!file || GetFileSizeEx(file.Get(), &size) == FALSE) {
        return false;
    }
    if (!IsRecord(file.Get(), size.QuadPart)) {
        file.Reset();
        SetAside(path);
        file = OpenRecord(path);
        size.QuadPart = 0;
        if (!file) {
            return false;
        }
    }
    std::string last;
    // A line an editor left without its end gets one before the next.
    const bool ended = size.QuadPart == 0 || (ReadAt(file.Get(), size.QuadPart - 1, last, 1) && last == "\n");
    const std::string text = ended ? lines : "\r\n" + lines;
    if (static_cast<std::size_t>(size.QuadPart) + text.size() > history::kMostBytes) {
        return Rewrite(file.Get(), size.QuadPart, text);
    }
    LARGE_INTEGER end = {};
    return SetFilePointerEx(file.Get(), end, nullptr, FILE_END) != FALSE && WriteAll(file.Get(), text);
}
