#include "TestWindows.h"

#include <vector>

void PumpFor(DWORD ms)
{
    const DWORD start = GetTickCount();
    do {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        Sleep(5);
    } while (GetTickCount() - start < ms);
}

std::vector<BYTE> BitmapPixels(HBITMAP bitmap, int width, int height)
{
    BITMAPINFO format = {};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = width;
    format.bmiHeader.biHeight = -height;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    std::vector<BYTE> pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4);
    const HDC screen = GetDC(nullptr);
    const int rows = bitmap != nullptr ? GetDIBits(screen, bitmap, 0, static_cast<UINT>(height), pixels.data(),
                                                   &format, DIB_RGB_COLORS)
                                       : 0;
    ReleaseDC(nullptr, screen);
    return rows == height ? pixels : std::vector<BYTE>();
}

std::vector<BYTE> ScreenPixels(const RECT& area)
{
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    if (width <= 0 || height <= 0) {
        return {};
    }
    const HDC screen = GetDC(nullptr);
    const HDC memory = CreateCompatibleDC(screen);
    const HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    const HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
    SelectObject(memory, previous);
    std::vector<BYTE> pixels = BitmapPixels(bitmap, width, height);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs, DWORD pollMs)
{
    const DWORD start = GetTickCount();
    for (;;) {
        if (condition()) {
            return true;
        }
        if (GetTickCount() - start >= timeoutMs) {
            return false;
        }
        PumpFor(pollMs);
    }
}

std::string GetText(HWND window)
{
    const LRESULT length = SendMessageA(window, WM_GETTEXTLENGTH, 0, 0);
    std::vector<char> buffer(static_cast<std::size_t>(length > 0 ? length : 0) + 1, '\0');
    SendMessageA(window, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()));
    return std::string(buffer.data());
}

namespace {

struct WindowQuery {
    DWORD processId;
    const char* className;
    const char* title;
    bool firstOnly;
    std::vector<HWND> found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM parameter)
{
    auto* query = reinterpret_cast<WindowQuery*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (query->processId != 0 && owner != query->processId) {
        return TRUE;
    }
    if (query->className != nullptr) {
        char name[256] = {};
        GetClassNameA(window, name, sizeof name);
        if (lstrcmpA(name, query->className) != 0) {
            return TRUE;
        }
    }
    if (query->title != nullptr) {
        char text[512] = {};
        GetWindowTextA(window, text, sizeof text);
        if (lstrcmpA(text, query->title) != 0) {
            return TRUE;
        }
    }
    query->found.push_back(window);
    return query->firstOnly ? FALSE : TRUE;
}

}  // namespace

HWND FindProcessWindow(DWORD processId, const char* className, const char* title)
{
    WindowQuery query = {processId, className, title, true, {}};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&query));
    for (HWND window = nullptr; query.found.empty() &&
                                (window = FindWindowExA(HWND_MESSAGE, window, className, title)) != nullptr;) {
        MatchWindow(window, reinterpret_cast<LPARAM>(&query));
    }
    return query.found.empty() ? nullptr : query.found.front();
}

std::vector<HWND> WindowsOfClass(DWORD processId, const char* className)
{
    WindowQuery query = {processId, className, nullptr, false, {}};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&query));
    for (HWND window = nullptr; (window = FindWindowExA(HWND_MESSAGE, window, className, nullptr)) != nullptr;) {
        MatchWindow(window, reinterpret_cast<LPARAM>(&query));
    }
    return query.found;
}

std::vector<HWND> ProcessWindows(DWORD processId)
{
    WindowQuery query = {processId, nullptr, nullptr, false, {}};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&query));
    return query.found;
}

HWND WaitForProcessWindow(DWORD processId, const char* className, const char* title, DWORD timeoutMs)
{
    HWND found = nullptr;
    WaitUntil([&] { return (found = FindProcessWindow(processId, className, title)) != nullptr; }, timeoutMs);
    return found;
}
