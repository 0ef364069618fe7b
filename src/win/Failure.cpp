#include "win/Failure.h"

#include <new>
#include <string>

namespace win {

const char* ApplicationName()
{
    static const std::string name = [] {
        char path[MAX_PATH] = {};
        GetModuleFileNameA(nullptr, path, MAX_PATH);
        std::string base = path;
        const auto slash = base.find_last_of("\\/:");
        if (slash != std::string::npos) {
            base.erase(0, slash + 1);
        }
        const auto dot = base.rfind('.');
        if (dot != std::string::npos && dot > 0) {
            base.erase(dot);
        }
        return base;
    }();
    return name.c_str();
}

std::string InternetErrorText(DWORD code)
{
    char* buffer = nullptr;
    const DWORD length = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_HMODULE | FORMAT_MESSAGE_IGNORE_INSERTS,
        GetModuleHandleA("wininet.dll"), code, 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
    std::string text;
    if (length != 0 && buffer != nullptr) {
        text.assign(buffer, length);
        while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) {
            text.pop_back();
        }
    }
    LocalFree(buffer);
    return text;
}

void ReportCurrentFailure(HWND owner)
{
    static const char internalError[] = "Internal application error.";
    std::string text;
    UINT icon = MB_ICONSTOP;
    try {
        throw;
    } catch (const CUserCancelled&) {
        return;
    } catch (const std::bad_alloc&) {
        text = "Out of memory.";
        icon = MB_ICONEXCLAMATION;
    } catch (const CInternetError& failure) {
        text = InternetErrorText(failure.code);
    } catch (const std::exception& failure) {
        text = failure.what();
    } catch (...) {  // NOLINT(bugprone-empty-catch): anything else is the internal error below
    }
    if (text.empty()) {
        text = internalError;
    }
    MessageBoxA(owner, text.c_str(), ApplicationName(), MB_OK | icon);
}

}  // namespace win
