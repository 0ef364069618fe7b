#include "win/Failure.h"

#include "win/SystemLibrary.h"

#include <new>

namespace win {

namespace {

// Fills text with WinInet's own text for the code, without its line end;
// false when the system has none.
bool InternetErrorText(DWORD code, char* text, DWORD size)
{
    const HMODULE wininet = LoadSystemLibrary("wininet.dll");
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_HMODULE | FORMAT_MESSAGE_IGNORE_INSERTS, wininet, code, 0,
                                  text, size, nullptr);
    while (length > 0 && (text[length - 1] == '\n' || text[length - 1] == '\r' || text[length - 1] == ' ')) {
        text[--length] = '\0';
    }
    return length > 0;
}

}  // namespace

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
    char internetText[512] = {};
    try {
        throw;
    } catch (const CUserCancelled&) {
        return;
    } catch (const std::bad_alloc&) {
        text = "Out of memory.";
        icon = MB_ICONEXCLAMATION;
    } catch (const CInternetError& failure) {
        if (InternetErrorText(failure.code, internetText, sizeof internetText)) {
            text = internetText;
        }
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
