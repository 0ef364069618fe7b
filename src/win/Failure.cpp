#include "win/Failure.h"

#include <exception>
#include <new>

namespace win {

const char* ApplicationName()
{
    // Filled once, without allocating: a failure report may need it when
    // memory has run out.
    static const struct Name {
        char text[MAX_PATH] = {};
        Name()
        {
            char path[MAX_PATH] = {};
            const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
            const char* base = path;
            const char* dot = nullptr;
            for (const char* at = path; at < path + length; ++at) {
                if (*at == '\\' || *at == '/' || *at == ':') {
                    base = at + 1;
                    dot = nullptr;
                } else if (*at == '.' && at > base) {
                    dot = at;
                }
            }
            const char* end = dot != nullptr ? dot : path + length;
            lstrcpynA(text, base, static_cast<int>(end - base) + 1);
        }
    } name;
    return name.text;
}

void ReportCurrentFailure(HWND owner) noexcept
{
    // Every text is constant or in this frame: reporting a failure must not
    // fail in its turn, least of all when memory has run out.
    const char* text = "Internal application error.";
    UINT icon = MB_ICONSTOP;
    try {
        throw;
    } catch (const std::bad_alloc&) {
        text = "Out of memory.";
        icon = MB_ICONEXCLAMATION;
    } catch (const std::exception& failure) {
        const char* what = failure.what();
        if (what != nullptr && *what != '\0') {
            text = what;
        }
    } catch (...) {  // NOLINT(bugprone-empty-catch): anything else is the internal error below
    }
    MessageBoxA(owner, text, ApplicationName(), MB_OK | icon);
}

}  // namespace win
