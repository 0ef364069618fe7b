#include "win/SystemLibrary.h"

#include <cstring>

namespace win {

void LimitDllSearchToSystem()
{
    using SetDefaultDirectories = BOOL(WINAPI*)(DWORD);
    const auto setDefault =
        FindFunction<SetDefaultDirectories>(GetModuleHandleA("kernel32.dll"), "SetDefaultDllDirectories");
    if (setDefault == nullptr || !setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32)) {
        SetDllDirectoryA("");
    }
}

HMODULE LoadSystemLibrary(const char* name)
{
    const HMODULE module = LoadLibraryExA(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    // A system without the 2011 loader update rejects the flag: the full
    // path names the same file.
    if (module != nullptr || GetLastError() != ERROR_INVALID_PARAMETER) {
        return module;
    }
    char path[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryA(path, MAX_PATH);
    const std::size_t nameLength = std::strlen(name);
    if (length == 0 || length + 1 + nameLength >= MAX_PATH) {
        return nullptr;
    }
    path[length] = '\\';
    std::memcpy(path + length + 1, name, nameLength + 1);
    return LoadLibraryA(path);
}

}  // namespace win
