#include "win/CodePageText.h"

#include <windows.h>

#include <algorithm>

namespace win {

std::wstring ToWide(const std::string& text)
{
    const int length = static_cast<int>(text.size());
    const int units = MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(std::max(units, 0)), L'\0');
    if (units > 0) {
        MultiByteToWideChar(CP_ACP, 0, text.data(), length, wide.data(), units);
    }
    return wide;
}

std::string ToAnsi(const std::wstring& text)
{
    const int length = static_cast<int>(text.size());
    const int bytes = WideCharToMultiByte(CP_ACP, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    std::string converted(static_cast<std::size_t>(std::max(bytes, 0)), '\0');
    if (bytes > 0) {
        WideCharToMultiByte(CP_ACP, 0, text.data(), length, converted.data(), bytes, nullptr, nullptr);
    }
    return converted;
}

}  // namespace win
