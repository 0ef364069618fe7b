#include "ui/HistoryWindow.h"

#include "history/HistoryDay.h"
#include "history/HistoryFile.h"
#include "ui/HistoryPicture.h"
#include "win/DialogKeys.h"

#include <shellapi.h>

#include <algorithm>

namespace {

constexpr int kViewButton = 100;
constexpr int kOpenButton = 101;
constexpr long long kDay = 86400;
// Sizes at 96 dots per inch.
constexpr int kWidth = 680;
constexpr int kHeight = 360;
constexpr int kMargin = 10;
constexpr int kSummaryHeight = 40;
constexpr int kButtonWidth = 110;
constexpr int kButtonHeight = 25;

history::Stamp LocalNow()
{
    SYSTEMTIME now = {};
    GetLocalTime(&now);
    return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
}

// At most the record's cap; another program may be writing it.
history::Reading ReadRecord()
{
    const std::string path = CHistoryFile::Path();
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return {};
    }
    std::string text(history::kMostBytes, '\0');
    DWORD read = 0;
    if (!ReadFile(file, text.data(), static_cast<DWORD>(text.size()), &read, nullptr)) {
        read = 0;
    }
    CloseHandle(file);
    text.resize(read);
    return history::ReadText(text);
}

HWND AddButton(HWND parent, const char* text, int id)
{
    // NOLINTNEXTLINE(performance-no-int-to-ptr): a child window's id goes where its menu would
    const auto idAsMenu = reinterpret_cast<HMENU>(static_cast<INT_PTR>(id));
    return CreateWindowExA(0, "BUTTON", text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, 0, 0, 0,
                           parent, idAsMenu, GetModuleHandleA(nullptr), nullptr);
}

}  // namespace

void CHistoryWindow::Open()
{
    if (const HWND open = FindWindowA(kClassName, nullptr)) {
        ShowWindow(open, SW_RESTORE);
        SetForegroundWindow(open);
        return;
    }
    const HWND window = CreateOwned(new CHistoryWindow, "Quellor History", WS_OVERLAPPEDWINDOW, kClassName);
    if (window != nullptr) {
        ShowWindow(window, SW_SHOWNORMAL);
        SetForegroundWindow(window);
    }
}

bool CHistoryWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    result = 0;
    switch (message) {
    case WM_CREATE:
        OnCreate();
        return true;
    case WM_SIZE:
        Layout();
        return true;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        Paint(BeginPaint(hwnd, &paint));
        EndPaint(hwnd, &paint);
        return true;
    }
    case WM_COMMAND:
        OnCommand(LOWORD(wParam));
        return true;
    case WM_DESTROY:
        win::StopDialogKeys(hwnd);
        DeleteObject(font);
        return true;
    default:
        return CFrameWindow::OnMessage(message, wParam, lParam, result);
    }
}

void CHistoryWindow::OnCreate()
{
    const HDC screen = GetDC(nullptr);
    dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    NONCLIENTMETRICSA metrics = {};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    font = CreateFontIndirectA(&metrics.lfMessageFont);
    reading = ReadRecord();
    now = history::StampSeconds(LocalNow());
    // The stamps' seconds know no daylight saving: a day is always as long.
    const long long midnight = now - now % kDay;
    summary = CreateWindowExA(0, "STATIC", history::DaySummary(reading.events, {midnight, now}, reading.skipped).c_str(),
                              WS_CHILD | WS_VISIBLE | SS_LEFT, 0, 0, 0, 0, hwnd, nullptr, GetModuleHandleA(nullptr),
                              nullptr);
    viewButton = AddButton(hwnd, "Last 7 days", kViewButton);
    openButton = AddButton(hwnd, "Open the record", kOpenButton);
    closeButton = AddButton(hwnd, "Close", IDCANCEL);
    for (const HWND child : {summary, viewButton, openButton, closeButton}) {
        SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    win::StartDialogKeys(hwnd);
    // No larger than the screen, whatever its resolution.
    RECT work = {0, 0, Scaled(kWidth), Scaled(kHeight)};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    const int width = std::min<int>(Scaled(kWidth), work.right - work.left);
    const int height = std::min<int>(Scaled(kHeight), work.bottom - work.top);
    const bool fits = width == Scaled(kWidth) && height == Scaled(kHeight);
    SetWindowPos(hwnd, nullptr, work.left, work.top, width, height, SWP_NOZORDER | (fits ? SWP_NOMOVE : 0));
    SetFocus(closeButton);
}

void CHistoryWindow::Layout()
{
    RECT client = {};
    GetClientRect(hwnd, &client);
    const int margin = Scaled(kMargin);
    MoveWindow(summary, margin, margin, client.right - 2 * margin, Scaled(kSummaryHeight), TRUE);
    const int top = client.bottom - margin - Scaled(kButtonHeight);
    int left = client.right - margin;
    for (const HWND button : {closeButton, openButton, viewButton}) {
        left -= Scaled(kButtonWidth);
        MoveWindow(button, left, top, Scaled(kButtonWidth), Scaled(kButtonHeight), TRUE);
        left -= margin;
    }
    InvalidateRect(hwnd, nullptr, TRUE);
}

RECT CHistoryWindow::PictureArea() const
{
    RECT client = {};
    GetClientRect(hwnd, &client);
    const int margin = Scaled(kMargin);
    return {margin + Scaled(CHistoryPicture::kDayLabelWidth), 2 * margin + Scaled(kSummaryHeight), client.right - margin,
            client.bottom - 2 * margin - Scaled(kButtonHeight) - Scaled(CHistoryPicture::kLabelHeight)};
}

void CHistoryWindow::Paint(HDC dc) const
{
    const HGDIOBJ oldFont = SelectObject(dc, font);
    CHistoryPicture(reading.events, now, dpi).Draw(dc, PictureArea(), weekShown);
    SelectObject(dc, oldFont);
}

void CHistoryWindow::OnCommand(UINT id)
{
    if (id == kViewButton) {
        weekShown = !weekShown;
        SetWindowTextA(viewButton, weekShown ? "Last 24 hours" : "Last 7 days");
        InvalidateRect(hwnd, nullptr, TRUE);
    } else if (id == kOpenButton) {
        OpenRecord();
    } else if (id == IDCANCEL) {
        DestroyWindow(hwnd);
    }
}

void CHistoryWindow::OpenRecord() const
{
    const std::string path = CHistoryFile::Path();
    if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
        MessageBoxA(hwnd, "There is no record yet.", "Quellor History", MB_OK | MB_ICONINFORMATION);
        return;
    }
    // NOLINTNEXTLINE(performance-no-int-to-ptr): ShellExecute's result is a number in a handle
    if (reinterpret_cast<INT_PTR>(ShellExecuteA(hwnd, "open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL)) <= 32) {
        MessageBoxA(hwnd, ("No program opens " + path + ".").c_str(), "Quellor History", MB_OK | MB_ICONEXCLAMATION);
    }
}
