#pragma once
// Texts between the program's ANSI code page and the system's UTF-16.
#include <string>

namespace win {

std::wstring ToWide(const std::string& text);
std::string ToAnsi(const std::wstring& text);

}  // namespace win
