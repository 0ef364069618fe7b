#include "ui/HistoryWindow.h"

#include "history/HistoryDay.h"
#include "history/HistoryFile.h"
#include "win/DialogKeys.h"

#include <shellapi.h>

namespace {

constexpr int kViewButton = 100;
constexpr int kOpenButton = 101;
constexpr long long kDay = 86400;
constexpr long long kHour = 3600;
// Sizes at 96 dots per inch.
constexpr int kWidth = 680;
constexpr int kHeight = 360;
constexpr int kMargin = 10;
constexpr int kSummaryHeight = 40;
constexpr int kButtonWidth = 110;
constexpr int kButtonHeight = 25;
constexpr int kLabelHeight = 16;
constexpr int kDayLabelWidth = 40;

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

void Fill(HDC dc, const RECT& area, int colour)
{
    FillRect(dc, &area, GetSysColorBrush(colour));
}

int XOf(const RECT& area, long long at, long long from, long long to)
{
    return area.left + static_cast<int>((at - from) * (area.right - area.left) / (to - from));
}

HWND AddButton(HWND parent, const char* text, int id)
{
    // NOLINTNEXTLINE(performance-no-int-to-ptr): a child window's id goes where its menu would
    return CreateWindowExA(0, "BUTTON", text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, 0, 0, 0,
                           parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr),
                           nullptr);
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
    const history::Stamp today = LocalNow();
    const long long midnight = now - today.hour * kHour - today.minute * 60 - today.second;
    summary = CreateWindowExA(0, "STATIC", history::DaySummary(reading.events, midnight, now, reading.skipped).c_str(),
                              WS_CHILD | WS_VISIBLE | SS_LEFT, 0, 0, 0, 0, hwnd, nullptr, GetModuleHandleA(nullptr),
                              nullptr);
    viewButton = AddButton(hwnd, "Last 7 days", kViewButton);
    openButton = AddButton(hwnd, "Open the record", kOpenButton);
    closeButton = AddButton(hwnd, "Close", IDCANCEL);
    for (const HWND child : {summary, viewButton, openButton, closeButton}) {
        SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    win::StartDialogKeys(hwnd);
    SetWindowPos(hwnd, nullptr, 0, 0, Scaled(kWidth), Scaled(kHeight), SWP_NOMOVE | SWP_NOZORDER);
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
    return {margin + Scaled(kDayLabelWidth), 2 * margin + Scaled(kSummaryHeight), client.right - margin,
            client.bottom - 2 * margin - Scaled(kButtonHeight) - Scaled(kLabelHeight)};
}

void CHistoryWindow::Paint(HDC dc) const
{
    const RECT area = PictureArea();
    if (area.bottom <= area.top || area.right <= area.left) {
        return;
    }
    const HGDIOBJ oldFont = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    if (!weekShown) {
        DrawStrip(dc, area, now - kDay, now);
        DrawHours(dc, area, now - kDay, now);
    } else {
        const history::Stamp today = LocalNow();
        const long long midnight = now - today.hour * kHour - today.minute * 60 - today.second;
        const int height = (area.bottom - area.top) / 7;
        for (int day = 0; day < 7; ++day) {
            const long long from = midnight - (6 - day) * kDay;
            RECT strip = {area.left, area.top + day * height, area.right, area.top + (day + 1) * height - 2};
            DrawStrip(dc, strip, from, from + kDay);
            static constexpr const char* kDayNames[] = {"Sat", "Sun", "Mon", "Tue", "Wed", "Thu", "Fri"};
            const char* name = kDayNames[((from / kDay) % 7 + 7) % 7];
            RECT label = {area.left - Scaled(kDayLabelWidth), strip.top, area.left - Scaled(4), strip.bottom};
            DrawTextA(dc, name, -1, &label, DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
        }
        DrawHours(dc, area, midnight, midnight + kDay);
    }
    SelectObject(dc, oldFont);
}

// The ON periods as a band along the lower half; contacts as ticks in the
// upper half, those without answer full height in the hot-track colour;
// drops, returns and dials as marks along the top.
void CHistoryWindow::DrawStrip(HDC dc, const RECT& area, long long from, long long to) const
{
    const history::Strip strip = history::StripOf(reading.events, from, to, now);
    Fill(dc, area, COLOR_BTNFACE);
    const int middle = (area.top + area.bottom) / 2;
    for (const history::Span& span : strip.on) {
        Fill(dc, {XOf(area, span.from, from, to), middle, std::max(XOf(area, span.to, from, to), XOf(area, span.from, from, to) + 1), area.bottom}, COLOR_HIGHLIGHT);
    }
    const int mark = Scaled(4);
    for (const history::Mark& each : strip.marks) {
        const int x = XOf(area, each.at, from, to);
        switch (each.kind) {
        case history::MarkKind::Answered:
            Fill(dc, {x, area.top + (middle - area.top) / 2, x + 1, middle}, COLOR_WINDOWTEXT);
            break;
        case history::MarkKind::NotAnswered:
            Fill(dc, {x, area.top, x + std::max(1, Scaled(1)), area.bottom}, COLOR_HOTLIGHT);
            break;
        case history::MarkKind::Down:
            Fill(dc, {x - mark, area.top, x + mark, area.top + mark}, COLOR_WINDOWTEXT);
            break;
        case history::MarkKind::Up:
            Fill(dc, {x - mark, area.top + mark, x + mark, area.top + 2 * mark}, COLOR_HIGHLIGHT);
            break;
        case history::MarkKind::Dial:
            Fill(dc, {x - mark / 2, area.top, x + mark / 2, area.top + 2 * mark}, COLOR_HOTLIGHT);
            break;
        }
    }
    FrameRect(dc, &area, GetSysColorBrush(COLOR_WINDOWTEXT));
}

// The clock's whole hours, every second one named, below the strips.
void CHistoryWindow::DrawHours(HDC dc, const RECT& area, long long from, long long to) const
{
    for (long long hour = (from + kHour - 1) / kHour * kHour; hour <= to; hour += kHour) {
        const int x = XOf(area, hour, from, to);
        Fill(dc, {x, area.bottom, x + 1, area.bottom + Scaled(3)}, COLOR_WINDOWTEXT);
        const long long clock = (hour / kHour) % 24;
        if (clock % 2 == 0) {
            const std::string text = std::to_string(clock);
            RECT label = {x - Scaled(15), area.bottom + Scaled(3), x + Scaled(15), area.bottom + Scaled(kLabelHeight + 3)};
            DrawTextA(dc, text.c_str(), -1, &label, DT_CENTER | DT_TOP | DT_SINGLELINE);
        }
    }
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
